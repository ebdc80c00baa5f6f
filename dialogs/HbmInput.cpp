#include "dialogs/HbmInput.h"

#include "calendar/Cp932.h"
#include "dialogs/HbmModule.h"
#include "toolkit/DialogKeys.h"
#include "toolkit/Fonts.h"
#include "toolkit/Interaction.h"
#include "toolkit/Twips.h"

namespace hibimo {

HbmInput::HbmInput(MemoVariables& variables, Interaction& interaction) : memo(variables), ui(interaction) {
    setObjectName(QStringLiteral("HbmInput"));
    setWindowTitle(QStringLiteral("Hbmメモ入力"));
    setClientSizeTwips(5760, 3045);
    setFont(msFont(MsGothic, 9));

    Label1 = new Label(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    placeTwips(*Label1, 285, 1755, 5295, 420);
    Label2 = new Label(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    placeTwips(*Label2, 285, 2265, 5295, 615);

    Text1 = new LineBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    placeTwips(*Text1, 150, 555, 5415, 330);

    const std::array<QString, 3> captions = {QStringLiteral("O K"), QStringLiteral("元に戻す"),
                                             QStringLiteral("削　除")};
    const std::array<std::array<int, 4>, 3> places = {
        {{4275, 975, 1290, 375}, {165, 1005, 1020, 315}, {1200, 1020, 1020, 300}}};
    for (int k = 0; k < 3; ++k) {
        auto* b = new QPushButton(captions[k], this);
        b->setObjectName(QStringLiteral("Command1_%1").arg(k));
        // Enter presses a button only while it has the focus; without a dialog there is no default button.
        b->setAutoDefault(true);
        const auto& p = places[k];
        placeTwips(*b, p[0], p[1], p[2], p[3]);
        connect(b, &QPushButton::clicked, this, [this, k] { Command1_Click(k); });
        Command1[k] = b;
    }
    Command1[0]->setFont(msFont(MsGothic, 11.25));

    Label3 = new Label(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(msFont(MsGothic, 9.75, true));
    Label3->move(twipsToPx(180), twipsToPx(225));

    setTabOrder(Text1, Command1[0]);
    setTabOrder(Command1[0], Command1[1]);
    setTabOrder(Command1[1], Command1[2]);
    connect(Text1, &LineBox::KeyDown, this, &HbmInput::Text1_KeyDown);
    // Enter keeps its meaning here (it moves from the input line to "O K"); Escape is the close box.
    installDialogKeys(*this, nullptr);
}

void HbmInput::showEvent(QShowEvent* event) {
    Form_Load();
    Form_Activate();
    Form::showEvent(event);
    Text1->setFocus(Qt::OtherFocusReason);
}

void HbmInput::Form_Load() {
    Label1->setCaption(memo.MemoGuide1);
    Label2->setCaption(memo.MemoGuide2);
    Label3->setCaption(memo.MemoTitle);
    Label3->adjustSize();
    OrigText = memo.MemoText;
}

void HbmInput::Form_Activate() {
    OkPressed = false;
    Text1->setText(OrigText);
}

void HbmInput::Form_Unload(int& Cancel) {
    (void)Cancel;
    if (!OkPressed)
        memo.MemoText = OrigText;
}

void HbmInput::Command1_Click(int Index) {
    switch (Index) {
    case 0: {
        const QString text = Text1->text();
        // The year file cannot carry these; say so and let the user change the text rather than
        // storing something other than what is shown.
        const QString unstorable = unencodableCp932(text);
        if (!unstorable.isEmpty()) {
            ui.message(unstorableCharactersMessage(unstorable));
            Text1->setFocus(Qt::OtherFocusReason);
            return;
        }
        OkPressed = true;
        memo.MemoText = text;
        close();
        break;
    }
    case 1:
        Text1->setText(OrigText);
        break;
    case 2:
        Text1->setText({});
        break;
    default:
        break;
    }
}

void HbmInput::Text1_KeyDown(int KeyCode, int Shift) {
    (void)Shift;
    if (KeyCode == 13)
        Command1[0]->setFocus(Qt::TabFocusReason);
}

} // namespace hibimo
