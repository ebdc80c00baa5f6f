#pragma once

namespace hibimo {

class HbmFrm;

// The colour commands: the colour editor, saving and loading colour files.
class ColourCommands {
public:
    explicit ColourCommands(HbmFrm& frm) : frm_(frm) {}
    // Connects the main window's controls to the handlers.
    void connectSignals();

private:
    HbmFrm& frm_;
};

} // namespace hibimo
