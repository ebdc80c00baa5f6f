// Enter and Escape in the program's own dialogs, and what the memo dialog hands back for each way of
// closing it.
#include "colours/HbmColor.h"
#include "dialogs/HbmInput.h"
#include "dialogs/HbmReNew.h"
#include "tests/TestSupport.h"

namespace hibimo::test {
namespace {

TEST(DialogKeys, EnterPressesTheNaturalButtonEscapeIsTheCloseBox) {
    const struct {
        const char* name;
        bool colourEditor; // else the regenerate dialog, answered "キャンセル" before
        int focusedButton; // ComReNew or Command1 index; -1 none
        Qt::Key key;
        bool closed;
        int renewChoice, colourChoosers;
    } rows[] = {
        {"Enter: 更　新", false, -1, Qt::Key_Return, true, 0, 0},
        {"keypad Enter: 更　新", false, -1, Qt::Key_Enter, true, 0, 0},
        {"Escape as the close box: the earlier answer stays", false, -1, Qt::Key_Escape, true, 2, 0},
        {"Enter on a focused キャンセル", false, 2, Qt::Key_Return, true, 2, 0},
        {"other keys", false, -1, Qt::Key_A, false, 2, 0},
        {"colour editor, Enter: OK", true, -1, Qt::Key_Return, true, 2, 0},
        {"colour editor, Escape", true, -1, Qt::Key_Escape, true, 2, 0},
        {"colour editor, Enter on a row's button: its chooser", true, 5, Qt::Key_Return, false, 2, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.m().LoadedYear = "2024";
        f.m().RenewChoice = 2;
        HbmColor editor(f.m().colours, f.ui);
        HbmReNew renew(f.m());
        renew.Form_Load();
        Form& dialog = row.colourEditor ? static_cast<Form&>(editor) : renew;
        const int i = row.focusedButton;
        QWidget* focused = i < 0 ? nullptr : row.colourEditor ? editor.Command1[i] : renew.ComReNew[i];
        dialog.show();
        if (focused)
            focused->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focused ? focused : &dialog, row.key);
        EXPECT_EQ(std::tuple(dialog.isVisible(), int(f.m().RenewChoice), int(f.ui.calls.count("colour"))),
                  std::tuple(!row.closed, row.renewChoice, row.colourChoosers));
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
    struct Row {
        const char* name;
        QString opened;
        const char* steps;
        bool stillOpen; // after the steps; a still open dialog is then closed by its close box
        QString shown, handedBack, message;
    } rows[] = {
        {"typed, O K", "前", "t0", false, "前追加", "前追加", ""},
        {"typed, 元に戻す, O K: back to this showing's text", "旧", "t10", false, "旧", "旧", ""},
        {"削　除, O K", "旧", "20", false, "", "", ""},
        {"Escape closes as the close box does", "旧", "te", false, "旧追加", "旧", ""},
        {"Escape on O K too", "旧", "tne", false, "旧追加", "旧", ""},
        {"Enter in the line does not close", "旧", "tn", true, "旧追加", "旧", ""},
        {"Enter moves to O K, a second Enter presses it", "旧", "tnn", false, "旧追加", "旧追加", ""},
        {"unstorable characters keep the dialog open with the text", "旧", "u0", true, "𠮷野家😀😀", "旧",
         Unstorable},
    };
    Fixture fx;
    HbmModule& m = fx.m();
    HbmInput d(m.memo, fx.ui); // one dialog for every row, as the main window keeps one
    for (const auto& row : rows) {
        m.memo.MemoText = row.opened;
        fx.ui.messages.clear();
        fx.ui.modalActions.push_back([&](QWidget&) {
            play(d, row.steps);
            EXPECT_EQ(std::pair(d.isVisible(), d.Text1->text()), std::pair(row.stillOpen, row.shown))
                << row.name;
        });
        m.ui.showModal(d);
        EXPECT_EQ(std::pair(m.memo.MemoText, fx.ui.messageTexts().join('|')),
                  std::pair(row.handedBack, row.message))
            << row.name;
    }
}

} // namespace
} // namespace hibimo::test
