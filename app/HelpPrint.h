#pragma once

#include <QString>

namespace hibimo {

class HbmFrm;

// The usage message and printing the main window.
class HelpPrint {
  public:
    explicit HelpPrint(HbmFrm& frm) : frm_(frm) {}
    // Connects the main window's controls to the handlers.
    void connectSignals();

    // Label6(1..3): the version and the two hints all show the usage message.
    void Label6_Click(int Index);
    void lblPrintForm_Click();

    static const QString Usage;

  private:
    HbmFrm& frm_;
};

} // namespace hibimo
