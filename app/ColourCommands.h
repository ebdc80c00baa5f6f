#pragma once

#include <QString>

namespace hibimo {

class HbmFrm;

// The colour commands of the main window: the colour editor, saving and loading colour files.
class ColourCommands {
  public:
    explicit ColourCommands(HbmFrm& frm) : frm_(frm) {}
    // Connects the main window's controls to the handlers.
    void connectSignals();

    // 0 opens the colour editor, 1 saves the scheme to a colour file, 2 loads one.
    void LblColor_Click(int Index);

    static const QString Reminder;
    static const QString SaveFilter;
    static const QString LoadFilter;

  private:
    void editColours();
    void saveScheme();
    void loadScheme();
    // A colour file's name from the file dialog, asked again while the settings and colour files
    // could not store it; empty when cancelled.
    QString askFileName(bool save);

    HbmFrm& frm_;
};

} // namespace hibimo
