#pragma once

namespace hibimo {

class HbmFrm;

// The [国] [個] [反映] commands: the two list editors and regeneration.
class ListCommands {
public:
    explicit ListCommands(HbmFrm& frm) : frm_(frm) {}
    // Connects the main window's controls to the handlers.
    void connectSignals();

private:
    HbmFrm& frm_;
};

} // namespace hibimo
