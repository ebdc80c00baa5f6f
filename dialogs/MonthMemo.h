#pragma once

namespace hibimo {

class HbmFrm;

// The month memo box: editable from a click, growing, the length limit and the write-back.
class MonthMemo {
public:
    explicit MonthMemo(HbmFrm& frm) : frm_(frm) {}
    // Connects the main window's controls to the handlers.
    void connectSignals();

private:
    HbmFrm& frm_;
};

} // namespace hibimo
