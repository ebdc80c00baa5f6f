// Enter and Escape in the program's own dialogs, and what the memo dialog hands back for each way of
// closing it.
#include "colours/HbmColor.h"
#include "dialogs/HbmInput.h"
#include "dialogs/HbmReNew.h"
#include "tests/TestSupport.h"

namespace hibimo::test {
namespace {

TEST(DialogKeys, EnterPressesTheNaturalButtonEscapeIsTheCloseBox) {
    // Name, the colour editor (else the regenerate dialog, answered "キャンセル" before), the ComReNew or
    // Command1 index focused (-1: none), the key; then whether the dialog stays open, the regenerate
    // answer, and how many colour choosers opened.
    const std::tuple<const char*, bool, int, Qt::Key, std::tuple<bool, int, int>> rows[] = {
        {"Enter: 更　新", false, -1, Qt::Key_Return, {false, 0, 0}},
        {"keypad Enter: 更　新", false, -1, Qt::Key_Enter, {false, 0, 0}},
        {"Escape as the close box: the earlier answer stays", false, -1, Qt::Key_Escape, {false, 2, 0}},
        {"Enter on a focused キャンセル", false, 2, Qt::Key_Return, {false, 2, 0}},
        {"other keys", false, -1, Qt::Key_A, {true, 2, 0}},
        {"colour editor, Enter: OK", true, -1, Qt::Key_Return, {false, 2, 0}},
        {"colour editor, Escape", true, -1, Qt::Key_Escape, {false, 2, 0}},
        {"colour editor, Enter on a row's button: its chooser", true, 5, Qt::Key_Return, {true, 2, 1}},
    };
    for (const auto& [name, colourEditor, button, key, outcome] : rows) {
        SCOPED_TRACE(name);
        Fixture f;
        f.m().LoadedYear = "2024";
        f.m().RenewChoice = 2;
        HbmColor editor(f.m().colours, f.ui);
        HbmReNew renew(f.m());
        renew.Form_Load();
        Form& dialog = colourEditor ? static_cast<Form&>(editor) : renew;
        QWidget* focused = button < 0     ? nullptr
                           : colourEditor ? editor.Command1[button]
                                          : renew.ComReNew[button];
        dialog.show();
        if (focused)
            focused->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focused ? focused : &dialog, key);
        EXPECT_EQ(std::tuple(dialog.isVisible(), int(f.m().RenewChoice), int(f.ui.calls.count("colour"))),
                  outcome);
    }
}

// Steps: t types "追加", u sets text the file cannot carry, 0/1/2 click O K/元に戻す/削　除,
// e presses Escape, n presses Enter where the focus is.
void play(HbmInput& d, const char* steps) {
    for (; *steps; ++steps) {
        if (*steps == 't')
            for (QChar ch : QString("追加"))
                QTest::sendKeyEvent(QTest::Click, d.Text1, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        else if (*steps == 'u')
            d.Text1->setText("𠮷野家😀😀");
        else if (*steps >= '0' && *steps <= '2')
            QTest::mouseClick(d.Command1[*steps - '0'], Qt::LeftButton);
        else
            QTest::keyClick(d.focusWidget(), *steps == 'e' ? Qt::Key_Escape : Qt::Key_Return);
    }
}

TEST(HbmInputOutcome, HandsBackTheConfirmedTextOnly) {
    // Name, the text the dialog opens with, the steps; then whether it is still open after them (a still
    // open dialog is then closed by its close box) and the text it shows, the text handed back, the message.
    const std::tuple<const char*, QString, const char*, std::pair<bool, QString>, QString, QString> rows[] = {
        {"typed, O K", "前", "t0", {false, "前追加"}, "前追加", ""},
        {"typed, 元に戻す, O K: back to this showing's text", "旧", "t10", {false, "旧"}, "旧", ""},
        {"削　除, O K", "旧", "20", {false, ""}, "", ""},
        {"Escape closes as the close box does", "旧", "te", {false, "旧追加"}, "旧", ""},
        {"Escape on O K too", "旧", "tne", {false, "旧追加"}, "旧", ""},
        {"Enter in the line does not close", "旧", "tn", {true, "旧追加"}, "旧", ""},
        {"Enter moves to O K, a second Enter presses it", "旧", "tnn", {false, "旧追加"}, "旧追加", ""},
        {"unstorable characters keep the dialog open with the text",
         "旧",
         "u0",
         {true, "𠮷野家😀😀"},
         "旧",
         unstorableCharactersMessage("𠮷😀")},
    };
    Fixture fx;
    HbmModule& m = fx.m();
    HbmInput d(m.memo, fx.ui); // one dialog for every row, as the main window keeps one
    for (const auto& [name, opened, steps, shown, handedBack, message] : rows) {
        m.memo.MemoText = opened;
        fx.ui.messages.clear();
        std::pair<bool, QString> seen;
        fx.ui.modalActions.push_back([&d, &seen, script = steps](QWidget&) {
            play(d, script);
            seen = {d.isVisible(), d.Text1->text()};
        });
        m.ui.showModal(d);
        EXPECT_EQ(std::tuple(seen, m.memo.MemoText, fx.ui.messageTexts().join('|')),
                  std::tuple(shown, handedBack, message))
            << name;
    }
}

} // namespace
} // namespace hibimo::test
