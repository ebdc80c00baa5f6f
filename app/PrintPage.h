#pragma once

#include <QColor>
#include <QDate>
#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class QPaintDevice;
class QPainter;

namespace hibimo {

struct ColourScheme;

// The remembered choices of the print command, kept in the program folder.
inline const QString PrintChoicesFileName = QStringLiteral("HbPrint.ini");

struct PrintChoices {
    enum class Layout { Month, Year };
    Layout layout = Layout::Month;
    // The private line's own notes stay off paper unless asked for: a printed page hangs on a wall.
    bool privateNotes = false;
};

PrintChoices readPrintChoices(const QString& folder);
// False when the file could not be written; the old one is then untouched.
bool writePrintChoices(const QString& folder, const PrintChoices& choices);

// One day of a printed page, as paper shows it: every text in full.
struct PageDay {
    QDate date;
    bool inMonth = true;
    QString mark;
    QStringList lines;
    QString almanac;
    QColor numberColour;
};

struct MonthPageData {
    QString title;
    // 35 or 42 days from the Sunday on or before the 1st: as many weeks as the month spans.
    std::vector<PageDay> days;
    QString memo;
    QColor otherMonthFill;
    QColor sundayColour;
    QColor saturdayColour;
};

struct YearPageData {
    QString title;
    // Each month's days as for a month page, without texts; holiday names kept for the list below it.
    std::array<MonthPageData, 12> months;
};

// What a page draws, in the device's pixels: a test reads it without pixels.
struct PageText {
    QRectF box;
    QString text;
    QFont font;
    QColor colour;
    int flags = 0;
    // The text's own extent at its font: inside `box` unless the page could not fit it.
    QRectF needed;
};

struct PageFill {
    QRectF box;
    QColor colour;
};

struct Page {
    std::vector<PageFill> fills;
    std::vector<QLineF> lines;
    std::vector<PageText> texts;
};

inline const std::array<QString, 7> PageWeekdays = {
    QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
    QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土")};

// The number of weeks a month spans: 4, 5 or 6.
int weeksOfMonth(int year, int month);

Page layoutMonthPage(const MonthPageData& data, const QRectF& area, QPaintDevice& device);
Page layoutYearPage(const YearPageData& data, const QRectF& area, QPaintDevice& device);
void paintPage(QPainter& painter, const Page& page);

// A colour for ink on white paper: a scheme colour too pale to read there turns black.
QColor inkOnPaper(int colour);

} // namespace hibimo
