#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Form.h"

#include <QPushButton>
#include <QString>
#include <array>

namespace hibimo {

struct MemoVariables;
class Interaction;

// The modal memo dialog: one line of text for a day, handed in and back through MemoText. Only
// "O K" hands back the edited text; every other way of closing gives back the text it was opened with.
class HbmInput : public Form {
    Q_OBJECT
  public:
    HbmInput(MemoVariables& variables, Interaction& interaction);

    MemoVariables& memo;
    Interaction& ui;

    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    LineBox* Text1 = nullptr;
    std::array<QPushButton*, 3> Command1{};
    Label* Label3 = nullptr;

    // Run on every show: the dialog is loaded afresh each time.
    void Form_Load();
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;
    void Command1_Click(int Index);
    void Text1_KeyDown(int KeyCode, int Shift);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QString OrigText;
    bool OkPressed = false;
};

} // namespace hibimo
