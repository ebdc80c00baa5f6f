#pragma once

#include <memory>

namespace hibimo {

class HbmFrm;
class HbmHoliD;
class HbmBirth;

// The [国] [個] [反映] commands: the two list editors and regeneration.
class ListCommands {
  public:
    explicit ListCommands(HbmFrm& frm);
    ~ListCommands();
    // Connects the main window's controls to the handlers.
    void connectSignals();

    void LblHoly_Click(int Index);

    // The open editors (or the last ones, closed), for the tests; null before first use.
    HbmHoliD* holidayEditor() const { return holiD_.get(); }
    HbmBirth* anniversaryEditor() const { return birth_.get(); }

  private:
    template <class Editor> void showEditor(std::unique_ptr<Editor>& editor);
    void regenerate();

    HbmFrm& frm_;
    // Kept here so that a second click finds the open window with its unsaved text.
    std::unique_ptr<HbmHoliD> holiD_;
    std::unique_ptr<HbmBirth> birth_;
};

} // namespace hibimo
