// Enter and Escape in the program's own dialogs (the memo dialog's keys are in HbmInputTest).
#include "colours/HbmColor.h"
#include "dialogs/HbmReNew.h"
#include "tests/TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

TEST(DialogKeys, EnterPressesTheNaturalButtonEscapeIsTheCloseBox) {
    const struct {
        const char* name;
        bool colourEditor; // else the regenerate dialog, answered "キャンセル" before
        int focusedButton; // ComReNew or Command1 index; -1 none
        Qt::Key key;
        bool closed;
        int renewChoice;
        int colourChoosers;
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
        Fixture f;
        f.m().LoadedYear = "2024";
        f.m().RenewChoice = 2;
        std::unique_ptr<Form> dialog;
        QPushButton* focused = nullptr;
        if (row.colourEditor) {
            auto editor = std::make_unique<HbmColor>(f.m().colours, f.ui);
            focused = row.focusedButton < 0 ? nullptr : editor->Command1[row.focusedButton];
            dialog = std::move(editor);
        } else {
            auto renew = std::make_unique<HbmReNew>(f.m());
            renew->Form_Load();
            focused = row.focusedButton < 0 ? nullptr : renew->ComReNew[row.focusedButton];
            dialog = std::move(renew);
        }
        dialog->show();
        if (focused)
            focused->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focused ? static_cast<QWidget*>(focused) : dialog.get(), row.key);
        EXPECT_EQ(dialog->isVisible(), !row.closed) << row.name;
        EXPECT_EQ(f.m().RenewChoice, row.renewChoice) << row.name;
        EXPECT_EQ(f.ui.calls.count("colour"), row.colourChoosers) << row.name;
    }
}

} // namespace
} // namespace hibimo::test
