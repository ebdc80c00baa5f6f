// The [国] [個] [反映] commands on the main window: editors kept one at a time, regeneration.
#include "app/ListCommands.h"
#include "dialogs/HbmBirth.h"
#include "dialogs/HbmHoliD.h"
#include "dialogs/HbmReNew.h"
#include "tests/TestSupport.h"
#include "toolkit/Colours.h"

#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

const int May = 4;

// May 2024 shown, with texts typed on 3 and 20 May and not yet saved.
struct Lists : Calendar {
    Lists() {
        m().DayItem[May][3][2] = "05032#休";
        m().PubLine[May][19] = "メモ";
        m().PrivLine[May][19] = "私";
        m().LoadedYearChanged = true;
    }
    ListCommands& commands() { return frm->listCommands(); }
    ListEditor* editor(int index) {
        return index == 0 ? static_cast<ListEditor*>(commands().holidayEditor())
                          : commands().anniversaryEditor();
    }
    bool redDate(int day) const {
        return foreColor(*frm->Text1[Lists::cellOf(day)]) == module->colours.ColHolidayDateFore;
    }
};

TEST(Regenerate, TheAnswerDecidesWhileUserTextsAlwaysStay) {
    const struct {
        const char* name;
        int before, button; // -1: the close box
        bool regenerated;
        int after;
    } rows[] = {
        {"update button", 0, 0, true, 0},           {"cancel button", 0, 2, false, 2},
        {"close box at first use", 0, -1, true, 0}, {"close box after cancel", 2, -1, false, 2},
        {"update after cancel", 2, 0, true, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Lists cal;
        cal.m().RenewChoice = static_cast<std::uint8_t>(row.before);
        cal.commands().LblHoly_Click(0);
        cal.editor(0)->Text1->setText("**01/01元旦\r\n**05/20テスト");
        cal.editor(0)->Command1->click();
        QString yearShown, savedMark;
        cal.ui.modalActions.push_back([&](QWidget& w) {
            auto& dialog = dynamic_cast<HbmReNew&>(w);
            yearShown = dialog.LbYReNew->caption();
            savedMark = cal.reread()->DayItem[May][3][2]; // the year file as the dialog opens
            if (row.button >= 0)
                dialog.ComReNew[row.button]->click();
        });
        cal.commands().LblHoly_Click(2);
        EXPECT_EQ(yearShown, " 2024年");
        EXPECT_EQ(savedMark, "05032#休");
        EXPECT_EQ(cal.m().RenewChoice, row.after);
        for (const char* when : {"after the dialog", "after reloading the year file"}) {
            SCOPED_TRACE(when);
            EXPECT_EQ(cal.redDate(20), row.regenerated);
            EXPECT_EQ(cal.frm->Text2[Lists::cellOf(20)]->text(), row.regenerated ? "テストメモ" : "メモ");
            EXPECT_EQ(cal.frm->Text3[Lists::cellOf(20)]->text(), "花子'72私");
            // The red day taken out of the list loses its colour and its name, never the user's mark.
            EXPECT_EQ(cal.redDate(3), !row.regenerated);
            EXPECT_EQ(cal.frm->Text2[Lists::cellOf(3)]->text(), row.regenerated ? "" : "憲法記念日");
            EXPECT_EQ(cal.frm->Text5[Lists::cellOf(3)]->text(), "休");
            cal.frm->Form_Activate();
        }
        EXPECT_TRUE(cal.ui.messages.empty()) << cal.ui.messageTexts().join('|').toStdString();
    }
}

TEST(ListCommands, AnEditorIsOneWindowOfItsOwnThatComesBackToTheFrontAndOutlivesTheMainWindow) {
    for (int index : {0, 1}) {
        SCOPED_TRACE(index == 0 ? "[国]" : "[個]");
        Lists cal;
        cal.commands().LblHoly_Click(index);
        ListEditor* editor = cal.editor(index);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(cal.reread()->DayItem[May][3][2], "05032#休")
            << "the year is saved before the editor opens";
        editor->Text1->setText("未保存");
        cal.writeText(index == 0 ? "HBHolyD.dat" : "HBBirth.dat", "\"*changed on disk\"\r\n");
        cal.commands().LblHoly_Click(index);
        EXPECT_EQ(cal.editor(index), editor);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->Text1->text(), "未保存");
        editor->showMinimized();
        ASSERT_TRUE(editor->isMinimized());
        cal.frm->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(cal.frm.get()));
        cal.commands().LblHoly_Click(index);
        EXPECT_FALSE(editor->isMinimized());
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor));
        cal.frm->close();
        EXPECT_FALSE(cal.frm->isVisible());
        editor->close(); // "未保存" has no entry
        EXPECT_TRUE(editor->isVisible());
        EXPECT_TRUE(editor->testAttribute(Qt::WA_QuitOnClose));
        editor->Text1->setText(index == 0 ? "*01/01a" : "*1972/01/01a");
        editor->close();
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(cal.ui.messages.size(), 1u);
    }
}

} // namespace
} // namespace hibimo::test
