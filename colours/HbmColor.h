#pragma once

#include "colours/ColourSlots.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"

#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <array>

namespace hibimo {

class Interaction;
struct ColourSlot;

// The modal colour editor: one row per element of the main window with a text-colour button, a
// background button and a sample, and a last row for the frame lines around the date cells. Every
// choice goes straight into the module's colour slots; there is nothing to cancel.
class HbmColor : public Form {
    Q_OBJECT
  public:
    HbmColor(ColourScheme& scheme, Interaction& interaction);

    ColourScheme& m;
    Interaction& ui;

    static constexpr int Rows = 18; // 0..16 colour rows, 17 the frame line
    static constexpr int ThicknessRow = 17;

    std::array<Label*, 2> Label1{};
    QPushButton* Command3 = nullptr;
    std::array<QPushButton*, Rows> Command1{};
    std::array<QPushButton*, Rows> Command2{};
    std::array<QLineEdit*, Rows - 1> Text1{};
    PictureBox* Picture1 = nullptr;

    void Form_Activate() override;
    void Form_DblClick() override;
    void Command1_Click(int Index);
    void Command2_Click(int Index);
    void Command3_Click();

  private:
    // The slot a row's text or background button sets. Only a text slot may be missing, where the
    // sample's text colour is fixed.
    static const ColourSlot* slotOf(int row, bool textColour);
    static int ColourScheme::*textSlot(int row);
    static int ColourScheme::*backSlot(int row);
    // The thickness prompt for a screen of the given twips per pixel.
    static QString thicknessPrompt(int twipsPerPixel);
    // The frame-line width an answer to the thickness prompt gives.
    static int thicknessFromAnswer(const QString& answer);
    void paintSample(int row);
    void drawPreview();
};

} // namespace hibimo
