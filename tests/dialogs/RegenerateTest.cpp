// The [国] [個] [反映] commands on the main window: editors kept one at a time, regeneration.
#include "app/HbmFrm.h"
#include "calendar/Records.h"
#include "calendar/YearFile.h"
#include "calendar/YearLoading.h"
#include "dialogs/HbmBirth.h"
#include "dialogs/HbmHoliD.h"
#include "dialogs/HbmReNew.h"
#include "dialogs/ListCommands.h"
#include "tests/TestSupport.h"
#include "toolkit/Colours.h"

#include <QTest>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

using test::crlf;
using test::Fixture;

// May 2024 begins on a Wednesday: day d sits in cell d + 2.
constexpr int cellOf(int day) {
    return day + 2;
}
const int May = 4;

struct Calendar {
    Fixture fx{QDate(2024, 5, 15)};
    std::unique_ptr<HbmFrm> frm;

    explicit Calendar(const QStringList& holidays = {QStringLiteral("**01/01元旦"),
                                                     QStringLiteral("**05/03憲法記念日")},
                      const QStringList& anniversaries = {QStringLiteral("*1972/05/20花子")}) {
        fx.writeList(QStringLiteral("HBHolyD.dat"), crlf(holidays));
        fx.writeList(QStringLiteral("HBBirth.dat"), crlf(anniversaries));
        frm = test::startMainWindow(fx);
        // The first start's own messages (no settings file, the year generated) are not under test.
        fx.ui.messages.clear();
        fx.ui.calls.clear();
    }
    ~Calendar() {
        // The editors are windows of their own; the main window's end does not close them.
        frm.reset();
        Form::setMainForm(nullptr);
    }
    HbmModule& m() { return fx.m(); }
    ListCommands& commands() { return frm->listCommands(); }
    // Writes what the user typed on 3 and 20 May into the tables, unsaved, as the editing does.
    void typeUserTexts() {
        m().DayItem[May][3][2] = QStringLiteral("05032#休");
        m().PubLine[May][19] = QStringLiteral("メモ");
        m().PrivLine[May][19] = QStringLiteral("私");
        m().LoadedYearChanged = true;
    }
    void editHolidays(const QString& text) {
        commands().LblHoly_Click(0);
        HbmHoliD* editor = commands().holidayEditor();
        ASSERT_NE(editor, nullptr);
        editor->Text1->setText(text);
        editor->Command1->click();
        ASSERT_FALSE(editor->isVisible()) << fx.ui.messageTexts().join(u'|').toStdString();
    }
    void regenerate(std::function<void(HbmReNew&)> answer) {
        if (answer)
            fx.ui.modalActions.push_back([answer](QWidget& w) { answer(dynamic_cast<HbmReNew&>(w)); });
        commands().LblHoly_Click(2);
    }
    bool redDate(int day) const {
        return foreColor(*frm->Text1[cellOf(day)]) == fx.module->ColHolidayDateFore;
    }
};

void pressUpdate(HbmReNew& dialog) {
    dialog.ComReNew[0]->click();
}
void pressCancel(HbmReNew& dialog) {
    dialog.ComReNew[2]->click();
}

TEST(Regenerate, GeneratedTextsFollowTheListsWhileUserTextsStay) {
    Calendar cal;
    cal.typeUserTexts();
    cal.frm->F_C_disp(2024, 5);
    ASSERT_TRUE(cal.redDate(3));

    cal.editHolidays(crlf({QStringLiteral("**01/01元旦"), QStringLiteral("**05/20テスト")}));
    cal.regenerate(pressUpdate);

    const auto check = [&cal](const char* when) {
        SCOPED_TRACE(when);
        EXPECT_EQ(cal.frm->Text2[cellOf(20)]->text(), QStringLiteral("テストメモ"));
        EXPECT_EQ(cal.frm->Text3[cellOf(20)]->text(), QStringLiteral("花子'72私"));
        EXPECT_TRUE(cal.redDate(20));
        // The red day taken out of the list loses its colour and its name, never the user's mark.
        EXPECT_FALSE(cal.redDate(3));
        EXPECT_EQ(cal.frm->Text2[cellOf(3)]->text(), QString());
        EXPECT_EQ(cal.frm->Text5[cellOf(3)]->text(), QStringLiteral("休"));
        EXPECT_EQ(cal.m().DayItem[May][3][2], QStringLiteral("05032 休"));
    };
    check("after regeneration");
    // What is shown is what the year file holds.
    cal.frm->Form_Activate();
    check("after reloading the year file");
    EXPECT_TRUE(cal.fx.ui.messages.empty()) << cal.fx.ui.messageTexts().join(u'|').toStdString();
}

TEST(Regenerate, AnniversaryRemovedLeavesThePrivateMemo) {
    Calendar cal;
    cal.typeUserTexts();
    cal.commands().LblHoly_Click(1);
    HbmBirth* editor = cal.commands().anniversaryEditor();
    ASSERT_NE(editor, nullptr);
    editor->Text1->setText(QStringLiteral("*1980/05/21太郎"));
    editor->Command1->click();
    ASSERT_FALSE(editor->isVisible());
    cal.regenerate(pressUpdate);
    EXPECT_EQ(cal.frm->Text3[cellOf(20)]->text(), QStringLiteral("私"));
    EXPECT_EQ(cal.frm->Text3[cellOf(21)]->text(), QStringLiteral("太郎'80"));
}

// The dialog's answer: close box leaves the previous one, which is "update" before any answer.
struct ChoiceRow {
    const char* name;
    int before;
    void (*answer)(HbmReNew&);
    bool regenerated;
    int after;
};

std::ostream& operator<<(std::ostream& os, const ChoiceRow& row) {
    return os << row.name;
}

class RenewChoice : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(RenewChoice, DecidesWhetherTheYearIsGenerated) {
    const ChoiceRow& row = GetParam();
    Calendar cal;
    cal.m().RenewChoice = static_cast<std::uint8_t>(row.before);
    cal.typeUserTexts();
    cal.editHolidays(QStringLiteral("**05/20テスト"));

    QString yearShown;
    cal.fx.ui.modalActions.push_back([&yearShown, &row](QWidget& w) {
        auto& dialog = dynamic_cast<HbmReNew&>(w);
        yearShown = dialog.LbYReNew->caption();
        if (row.answer)
            row.answer(dialog);
    });
    cal.commands().LblHoly_Click(2);

    EXPECT_EQ(yearShown, QStringLiteral(" 2024年"));
    EXPECT_TRUE(cal.fx.ui.calls.contains(QStringLiteral("modal:HbmReNew")));
    EXPECT_EQ(cal.m().RenewChoice, row.after);
    EXPECT_EQ(cal.redDate(20), row.regenerated);
    EXPECT_EQ(cal.frm->Text2[cellOf(20)]->text(),
              row.regenerated ? QStringLiteral("テストメモ") : QStringLiteral("メモ"));
    // Either way the year was saved before the dialog: the typed texts survive the reload.
    EXPECT_EQ(cal.frm->Text5[cellOf(3)]->text(), QStringLiteral("休"));
    EXPECT_EQ(cal.redDate(3), !row.regenerated);
    EXPECT_TRUE(cal.fx.ui.messages.empty()) << cal.fx.ui.messageTexts().join(u'|').toStdString();
}

const ChoiceRow choiceRows[] = {
    {"UpdateButton", 0, pressUpdate, true, 0},      {"CancelButton", 0, pressCancel, false, 2},
    {"CloseBoxAtFirstUse", 0, nullptr, true, 0},    {"CloseBoxAfterCancel", 2, nullptr, false, 2},
    {"UpdateAfterCancel", 2, pressUpdate, true, 0},
};

INSTANTIATE_TEST_SUITE_P(Dialog, RenewChoice, ::testing::ValuesIn(choiceRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Regenerate, UsesTheDisplayedYearAndTheSavedListNotTheOpenEditor) {
    Calendar cal;
    cal.frm->Command2_Click(1); // to May 2025
    ASSERT_EQ(cal.frm->Label3->caption(), QStringLiteral("2025"));
    cal.commands().LblHoly_Click(0);
    cal.commands().holidayEditor()->Text1->setText(QStringLiteral("**05/20未保存"));
    cal.regenerate(pressUpdate);
    EXPECT_EQ(cal.m().LoadedYear, QStringLiteral("2025"));
    EXPECT_EQ(cal.m().DayItem[May][20][0], QString());
    EXPECT_EQ(cal.m().DayItem[May][3][0], QStringLiteral("05030憲法記念日"));
    EXPECT_TRUE(cal.commands().holidayEditor()->isVisible());
}

class EditorCommand : public ::testing::TestWithParam<int> {
  protected:
    static ListEditor* editorOf(ListCommands& commands, int index) {
        if (index == 0)
            return commands.holidayEditor();
        return commands.anniversaryEditor();
    }
};

INSTANTIATE_TEST_SUITE_P(Commands, EditorCommand, ::testing::Values(0, 1), [](const auto& info) {
    return std::string(info.param == 0 ? "Holidays" : "Anniversaries");
});

TEST_P(EditorCommand, SecondClickBringsTheOpenWindowWithItsUnsavedText) {
    Calendar cal;
    const int index = GetParam();
    const QString file = index == 0 ? QStringLiteral("HBHolyD.dat") : QStringLiteral("HBBirth.dat");
    cal.commands().LblHoly_Click(index);
    ListEditor* first = editorOf(cal.commands(), index);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parentWidget(), nullptr);
    first->Text1->setText(QStringLiteral("未保存"));
    cal.fx.writeList(file, QStringLiteral("*changed on disk"));

    cal.commands().LblHoly_Click(index);
    EXPECT_EQ(editorOf(cal.commands(), index), first);
    EXPECT_EQ(first->Text1->text(), QStringLiteral("未保存"));
    EXPECT_TRUE(cal.fx.ui.messages.empty()) << cal.fx.ui.messageTexts().join(u'|').toStdString();

    // Once closed, the next click opens a fresh window on the file as saved.
    first->Text1->setText(index == 0 ? QStringLiteral("*01/01a") : QStringLiteral("*1972/01/01a"));
    first->close();
    ASSERT_FALSE(first->isOpen());
    cal.commands().LblHoly_Click(index);
    ListEditor* second = editorOf(cal.commands(), index);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->Text1->text(), index == 0 ? QStringLiteral("*01/01a") : QStringLiteral("*1972/01/01a"));
}

TEST(ListCommands, EveryCommandSavesTheLoadedYearFirst) {
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        Calendar cal;
        cal.typeUserTexts();
        cal.fx.ui.modalActions.push_back([](QWidget& w) { pressCancel(dynamic_cast<HbmReNew&>(w)); });
        cal.commands().LblHoly_Click(index);
        EXPECT_FALSE(cal.m().LoadedYearChanged);
        // The year file alone, read into a module of its own, holds what was typed.
        HbmModule reread(cal.fx.path({}), cal.fx.ui);
        YearLoad(reread, QStringLiteral("2024"));
        EXPECT_EQ(reread.PubLine[May][19], QStringLiteral("メモ"));
        EXPECT_EQ(reread.DayItem[May][3][2], QStringLiteral("05032#休"));
    }
}

TEST_P(EditorCommand, EditorOutlivesTheMainWindowUntilItsTextPasses) {
    Calendar cal;
    const int index = GetParam();
    cal.commands().LblHoly_Click(index);
    ListEditor* editor = editorOf(cal.commands(), index);
    editor->Text1->setText(QStringLiteral("no entry"));
    cal.frm->close();
    EXPECT_FALSE(cal.frm->isVisible());
    EXPECT_TRUE(editor->isVisible());
    editor->close();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->testAttribute(Qt::WA_QuitOnClose));
    editor->Text1->setText(index == 0 ? QStringLiteral("*01/01a") : QStringLiteral("*1972/01/01a"));
    editor->close();
    EXPECT_FALSE(editor->isVisible());
}

} // namespace
} // namespace hibimo
