#include "colours/ColourScheme.h"
#include "colours/HbmColor.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

using S = ColourScheme;

// Buttons of the colour editor: the slot each sets and the title its chooser carries (rows standing out
// of their order, rows with one button disabled and the frame line among them).
const struct {
    int row;
    bool text; // the left (text colour) button, else the right one
    int S::*slot;
    const char* title;
} Choosers[] = {
    {0, false, &S::ColScreenBack, "色の選択 - 画面下地"},
    {1, false, &S::ColCommandBack, "色の選択 - コマンド 背景"},
    {5, true, &S::ColSunDateFore, "色の選択 - 日付 日曜"},
    {5, false, &S::ColSunDateBack, "色の選択 - 日付 日曜 背景"},
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
