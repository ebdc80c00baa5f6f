#pragma once

namespace hibimo {

class HbmFrm;

// Double-click editing of the day cells and the growing of long boxes.
class DayCellEditing {
public:
    explicit DayCellEditing(HbmFrm& frm) : frm_(frm) {}
    // Connects the main window's controls to the handlers.
    void connectSignals();

private:
    HbmFrm& frm_;
};

} // namespace hibimo
