#pragma once

#include <QString>

namespace hibimo {

class HbmFrm;

// The sharing commands of the main window: writing the calendar to an iCalendar file.
class ShareCommands {
  public:
    explicit ShareCommands(HbmFrm& frm) : frm_(frm) {}
    void connectSignals();

    void CmdExport_Click();

    static const QString SaveFilter;

  private:
    HbmFrm& frm_;
};

} // namespace hibimo
