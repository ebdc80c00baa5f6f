#pragma once

namespace hibimo {

class HbmFrm;

// The usage message and printing the main window.
class HelpPrint {
public:
    explicit HelpPrint(HbmFrm& frm) : frm_(frm) {}
    // Connects the main window's controls to the handlers.
    void connectSignals();

private:
    HbmFrm& frm_;
};

} // namespace hibimo
