#include "colours/ColourScheme.h"
#include "colours/HbmColor.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

using S = ColourScheme;

// Each enabled button of the colour editor: the slot it sets and the title its chooser carries.
const struct {
    int row;
    bool text; // the left (text colour) button, else the right one
    int S::*slot;
    const char* title;
} Choosers[] = {
    {0, true, &S::ColGuideFore, "色の選択 - 画面余白ガイド"},
    {0, false, &S::ColScreenBack, "色の選択 - 画面下地"},
    {1, false, &S::ColCommandBack, "色の選択 - コマンド 背景"},
    {2, true, &S::ColSunHeadFore, "色の選択 - 曜日 SUN"},
    {3, false, &S::ColSatHeadBack, "色の選択 - 曜日 SAT 背景"},
    {4, true, &S::ColWeekdayHeadFore, "色の選択 - 曜日 MON～FRI"},
    {5, true, &S::ColSunDateFore, "色の選択 - 日付 日曜"},
    {5, false, &S::ColSunDateBack, "色の選択 - 日付 日曜 背景"},
    {6, true, &S::ColSatDateFore, "色の選択 - 日付 土曜"},
    {7, false, &S::ColWeekdayDateBack, "色の選択 - 日付 月～金 背景"},
    {8, true, &S::ColHolidayDateFore, "色の選択 - 日付 祝祭日"},
    {9, false, &S::ColTodayBack, "色の選択 - 本日日付 背景"},
    {10, true, &S::ColMarkFore, "色の選択 - 日付右メモ枠"},
    {11, false, &S::ColPubLineBack, "色の選択 - 祝祭日記載枠 背景"},
    {12, true, &S::ColPrivLineFore, "色の選択 - 誕生日記載枠"},
    {13, false, &S::ColMemoBack, "色の選択 - 月メモ記載枠 背景"},
    {14, true, &S::ColYearFore, "色の選択 - 年 記載枠"},
    {15, false, &S::ColMonthBack, "色の選択 - 月 記載枠 背景"},
    {16, false, &S::ColOtherMonthBack, "色の選択 - 前後月 日枠 背景"},
    {17, false, &S::ColFrameLine, "色の選択 - 日付枠囲み線"},
};

TEST(ColourChooser, OpensOnTheRowsColourAndNamesTheRowCancelChangesNothing) {
    Fixture f;
    ColorDefaults(f.m());
    HbmColor editor(f.m());
    editor.show();
    editor.activateIfPending();
    int colour = 0x203040;
    for (const auto& c : Choosers) {
        f.m().*c.slot = ++colour; // unlike any default, so a preset from another slot shows
        const std::vector<qint64> before = schemeValues(f.m());
        (c.text ? editor.Command1 : editor.Command2)[c.row]->click(); // nothing queued: cancelled
        ASSERT_FALSE(f.ui.colourRequests.empty()) << c.title;
        EXPECT_EQ(f.ui.colourRequests.back().initial, colour) << c.title;
        EXPECT_EQ(f.ui.colourRequests.back().title, QString::fromUtf8(c.title));
        EXPECT_EQ(schemeValues(f.m()), before) << c.title;
    }
    EXPECT_EQ(f.ui.colourRequests.size(), std::size(Choosers));
}

} // namespace
} // namespace hibimo::test
