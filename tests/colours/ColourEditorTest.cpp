#include "colours/ColourScheme.h"
#include "colours/HbmColor.h"
#include "tests/TestSupport.h"
#include "tests/colours/ColourEditorSupport.h"
#include "toolkit/Colours.h"

#include <climits>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

struct Editor : Fixture {
    HbmColor editor{m()};
    Editor() {
        ColorDefaults(m());
        editor.show();
        editor.activateIfPending();
    }
    // Pixels of the preview in the line colour; a line of width n covers n full rows.
    int linePixels() const {
        const QImage& img = editor.Picture1->image();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixelColor(x, y) == colourFromBgr(module->ColFrameLine);
        return n;
    }
};

using S = ColourScheme;
const struct {
    int row;
    int S::*text; // nullptr: the button is disabled
    int S::*back;
} RowTable[] = {{0, &S::ColGuideFore, &S::ColScreenBack},
                {1, nullptr, &S::ColCommandBack},
                {2, &S::ColSunHeadFore, &S::ColSunHeadBack},
                {3, &S::ColSatHeadFore, &S::ColSatHeadBack},
                {4, &S::ColWeekdayHeadFore, &S::ColWeekdayHeadBack},
                {5, &S::ColSunDateFore, &S::ColSunDateBack},
                {6, &S::ColSatDateFore, &S::ColSatDateBack},
                {7, &S::ColWeekdayDateFore, &S::ColWeekdayDateBack},
                {8, &S::ColHolidayDateFore, nullptr},
                {9, nullptr, &S::ColTodayBack},
                {10, &S::ColMarkFore, &S::ColMarkBack},
                {11, &S::ColPubLineFore, &S::ColPubLineBack},
                {12, &S::ColPrivLineFore, &S::ColPrivLineBack},
                {13, &S::ColMemoFore, &S::ColMemoBack},
                {14, &S::ColYearFore, &S::ColYearBack},
                {15, &S::ColMonthFore, &S::ColMonthBack},
                {16, nullptr, &S::ColOtherMonthBack}};

TEST(ColourEditor, EveryButtonSetsItsOwnSlotAndSampleOrIsDisabled) {
    Editor e;
    int colour = 0x102030; // far from the screen colour, so the other-month rule stays out
    for (const auto& r : RowTable)
        for (const bool text : {true, false}) {
            QPushButton* button = (text ? e.editor.Command1 : e.editor.Command2)[r.row];
            const auto slot = text ? r.text : r.back;
            EXPECT_EQ(button->isEnabled(), slot != nullptr) << r.row << text;
            ColourScheme expected = e.m();
            button->click(); // no answer queued: the chooser is cancelled
            EXPECT_EQ(values(e.m()), values(expected)) << r.row << text;
            if (!slot)
                continue;
            expected.*slot = ++colour;
            e.ui.colourAnswers.push_back(colour);
            button->click();
            EXPECT_EQ(values(e.m()), values(expected)) << r.row << text;
            EXPECT_EQ((text ? foreColor : backColor)(*e.editor.Text1[r.row]), colour) << r.row;
        }
    EXPECT_EQ(e.ui.calls.count(QStringLiteral("colour")), 2 * 30); // disabled buttons open nothing
}

TEST(ColourEditor, ThicknessPromptReadsANumberAndThePreviewFollows) {
    Editor e;
    e.m().FrameLineWidth = 7;
    e.editor.Command1[17]->click();
    ASSERT_EQ(e.ui.prompts.size(), 1u);
    EXPECT_EQ(e.ui.prompts[0].title, QStringLiteral("日付枠囲み線太さ"));
    EXPECT_EQ(e.ui.prompts[0].defaultText, QStringLiteral("7"));
    EXPECT_EQ(e.ui.prompts[0].prompt,
              QStringLiteral("囲み線の太さを整数(20以下)で入力下さい。\n\r\n\r1 は 約 0.26mm に対応！ 0 "
                             "で 囲み線を引きません!"));
    const struct {
        const char* answer;
        int width;
    } rows[] = {
        {"2.9", 2},  {"7mm", 7},   {"25", 20},    {"-3", -3}, {"abc", 0},          {" 1 2", 12},
        {"1e1", 10}, {"-0.5", -1}, {"1e999", 20}, {"\r5", 0}, {"99999999999", 20}, {"-2147483648", INT_MIN},
        {"1", 1},    {"3", 3},     {"", 0}};
    for (const auto& r : rows) {
        e.ui.promptAnswers.push_back(QString::fromUtf8(r.answer));
        e.editor.Command1[17]->click();
        EXPECT_EQ(e.m().FrameLineWidth, r.width) << '"' << r.answer << '"';
        EXPECT_EQ(e.linePixels(), std::max(r.width, 0) * e.editor.Picture1->width()) << r.answer;
    }
    // Choosing the line colour where there is no line draws one of width 1.
    e.ui.colourAnswers.push_back(0xFF0000);
    e.editor.Command2[17]->click();
    EXPECT_EQ(e.m().FrameLineWidth, 1);
    EXPECT_EQ(e.m().ColFrameLine, 0xFF0000);
    EXPECT_EQ(e.linePixels(), e.editor.Picture1->width());
}

TEST(ColourEditor, OtherMonthStaysApartFromTheScreenColour) {
    const struct {
        const char* what;
        int screen, other, button /* Command2 row */, chosen, screenAfter, otherAfter;
    } rows[] = {
        {"screen chosen as the other-month colour", 0x808080, 0x707070, 0, 0x707070, 0x707070, 0x70706F},
        {"other-month chosen as the screen colour", 0x808080, 0x707070, 16, 0x808080, 0x808080, 0x80807F},
        {"both black: other-month moves up", 0x808080, 0, 0, 0, 0, 1},
        {"other-month chosen black on black", 0, 0x707070, 16, 0, 0, 1},
        {"equal from a file, any row fixes it", 0x505050, 0x505050, 5, 0x123456, 0x505050, 0x50504F},
        {"different colours stay", 0x808080, 0x707070, 0, 0x606060, 0x606060, 0x707070},
    };
    for (const auto& r : rows) {
        Editor e;
        e.m().ColScreenBack = r.screen;
        e.m().ColOtherMonthBack = r.other;
        e.ui.colourAnswers.push_back(r.chosen);
        e.editor.Command2[r.button]->click();
        EXPECT_EQ(e.m().ColScreenBack, r.screenAfter) << r.what;
        EXPECT_EQ(e.m().ColOtherMonthBack, r.otherAfter) << r.what;
    }
}

} // namespace
} // namespace hibimo::test
