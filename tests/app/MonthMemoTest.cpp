// The month memo: what a paste leaves in the box and in the tables, growing while focused, the month it
// belongs to, and no memo lost when the main window is activated again (for the memo dialog closing,
// see the double-click edits).
#include "app/MonthMemo.h"

#include "tests/TestSupport.h"
#include "toolkit/Twips.h"

#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

TEST(MonthMemoGrowth, GrowsFromOneHundredTwentyCharactersWhileFocused) {
    Calendar c;
    HbmFrm& f = c.f();
    for (const auto& [chars, grownTwips] : {std::pair{119, 3270}, std::pair{120, 4500}}) {
        c.showIn(*f.Text4, QString(chars, QChar(0x3042)));
        f.monthMemo().Text4_GotFocus();
        EXPECT_EQ(f.Text4->height(), twipsToPx(grownTwips)) << chars;
        EXPECT_EQ(f.children().last(), f.Text4) << "in front of the controls below it";
        EXPECT_TRUE(f.Text4->isReadOnly()) << "gaining the focus alone does not make it editable";
        f.monthMemo().Text4_LostFocus();
        EXPECT_EQ(f.Text4->height(), twipsToPx(3270)) << chars;
    }
}

TEST(MonthMemoMonth, DecemberShownByNavigationGoesToMonthEleven) {
    Calendar c(QDate(2024, 11, 20));
    c.m().DayItem[11][0][0] = "12000年末";
    c.f().Command1_Click(1);
    EXPECT_EQ(c.f().Text4->text(), "年末");
    EXPECT_FALSE(c.m().LoadedYearChanged) << "showing a memo is no change";
    c.showIn(*c.f().Text1[15], "3"); // a day number must not decide the month
    c.pasteMemo("大掃除");
    EXPECT_EQ(c.m().DayItem[11][0][0], "12000年末大掃除");
    EXPECT_EQ(c.m().DayItem[10][0][0] + c.m().DayItem[2][0][0], "");
}

// The main window reloads the loaded year from its file whenever it is activated again.
TEST(MonthMemoNeverLost, SurvivesAnotherWindowClosing) {
    Calendar c;
    Form editor;
    editor.showModeless(&c.f());
    c.pasteMemo("エディタを開いたまま");
    editor.close();
    EXPECT_EQ(c.f().Text4->text(), "エディタを開いたまま");
    EXPECT_EQ(c.reread()->DayItem[4][0][0], "05000エディタを開いたまま");
}

} // namespace
} // namespace hibimo::test
