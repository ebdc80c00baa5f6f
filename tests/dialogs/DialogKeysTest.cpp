#include "colours/HbmColor.h"
#include "dialogs/HbmReNew.h"
#include "tests/TestSupport.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

// A key pressed where the focus is, as the user presses it.
void press(QWidget& window, Qt::Key key) {
    QWidget* at = window.focusWidget() ? window.focusWidget() : &window;
    QTest::keyClick(at, key);
}

TEST(DialogKeys, EnterPressesTheNaturalButtonEscapeIsTheCloseBox) {
    const struct {
        const char* name;
        std::function<void(QWidget&)> keys;
        bool closed;
        int renewChoice; // after an earlier "キャンセル" (2)
    } renew[] = {
        {"Enter: 更　新", [](QWidget& w) { press(w, Qt::Key_Return); }, true, 0},
        {"keypad Enter: 更　新", [](QWidget& w) { press(w, Qt::Key_Enter); }, true, 0},
        {"Escape: as the close box, the previous answer stays", [](QWidget& w) { press(w, Qt::Key_Escape); },
         true, 2},
        {"Enter on a focused キャンセル presses it",
         [](QWidget& w) {
             static_cast<HbmReNew&>(w).ComReNew[2]->setFocus(Qt::TabFocusReason);
             press(w, Qt::Key_Return);
         },
         true, 2},
        {"other keys do nothing", [](QWidget& w) { press(w, Qt::Key_A); }, false, 2},
    };
    for (const auto& row : renew) {
        Fixture f;
        f.m().LoadedYear = "2024";
        f.m().RenewChoice = 2;
        HbmReNew dialog(f.m());
        dialog.Form_Load();
        dialog.show();
        row.keys(dialog);
        EXPECT_EQ(dialog.isVisible(), !row.closed) << row.name;
        EXPECT_EQ(f.m().RenewChoice, row.renewChoice) << row.name;
    }
}

TEST(DialogKeys, TheColourEditorClosesOnEnterAndEscapeButEnterOnARowButtonChooses) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        Fixture f;
        HbmColor editor(f.m());
        editor.show();
        press(editor, key);
        EXPECT_FALSE(editor.isVisible()) << key;
    }
    Fixture f;
    HbmColor editor(f.m());
    editor.show();
    editor.Command1[5]->setFocus(Qt::TabFocusReason);
    press(editor, Qt::Key_Return);
    EXPECT_EQ(f.ui.calls, QStringList{"colour"});
    EXPECT_TRUE(editor.isVisible());
}

} // namespace
} // namespace hibimo::test
