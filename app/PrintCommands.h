#pragma once

#include "app/PrintPage.h"

#include <QString>
#include <functional>

class QPrinter;

namespace hibimo {

class HbmFrm;
struct HbmModule;

// What a wall calendar adds to the calendar's own data: the era of a year, the almanac of a day.
// Either may be left empty; the page then shows nothing for it.
struct PageSources {
    std::function<QString(int year)> eraOfYear;
    std::function<QString(QDate day)> almanacOf;
};

// The printed pages of the shown year, from the loaded year's tables.
MonthPageData monthPageOf(const HbmModule& m, int year, int month, const PrintChoices& choices,
                          const PageSources& sources);
YearPageData yearPageOf(const HbmModule& m, int year, const PageSources& sources);

// Draws the chosen page onto a printer (or the preview's), landscape or not as the printer is set.
void printPages(QPrinter& printer, const HbmModule& m, int year, int month, const PrintChoices& choices,
                const PageSources& sources);

// 「印刷」: the month or year page in Qt's print preview, with page set-up and the choice of printer.
class PrintCommands {
  public:
    explicit PrintCommands(HbmFrm& frm);
    void connectSignals();

    void CmdPrint_Click();

    PageSources sources;

  private:
    PageSources shownSources() const;
    HbmFrm& frm_;
};

} // namespace hibimo
