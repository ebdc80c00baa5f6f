#include "ColourEditorSupport.h"
#include "colours/HbmColor.h"
#include "tests/TestSupport.h"
#include "toolkit/Colours.h"

#include <QTest>
#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <map>
#include <numeric>

namespace hibimo::test {
namespace {

// Gives every slot a different value, so that a button writing the wrong slot is seen.
void distinctScheme(ColourScheme& s) {
    int v = 0x010101;
    for (const auto& [name, slot] : allSlots())
        s.*slot = v += 0x030507;
    s.FrameLineWidth = 2;
    s.YmBorderStyle = 1;
}

struct Editor : Fixture {
    HbmColor editor{m()};
    Editor() {
        distinctScheme(m());
        editor.show();
        editor.activateIfPending();
    }
    // Clicks a button and checks that only `slot` changed, to `colour`.
    void expectOnlyChanged(QPushButton* button, const QString& slot, int colour) {
        const auto before = values(m());
        ui.colourAnswers.push_back(colour);
        button->click();
        auto expected = before;
        expected[slot] = colour;
        EXPECT_EQ(values(m()), expected) << slot.toStdString();
    }
};

// Rows, as the window shows them from top to bottom: row 16 above 14, 13 below 15.
const std::vector<int> TopToBottom = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 14, 15, 13, 17};

struct RowSlots {
    int row;
    const char* text; // nullptr: the text button is disabled
    const char* back;
};
const std::vector<RowSlots> RowTable = {
    {0, "ColGuideFore", "ColScreenBack"},
    {1, nullptr, "ColCommandBack"},
    {2, "ColSunHeadFore", "ColSunHeadBack"},
    {3, "ColSatHeadFore", "ColSatHeadBack"},
    {4, "ColWeekdayHeadFore", "ColWeekdayHeadBack"},
    {5, "ColSunDateFore", "ColSunDateBack"},
    {6, "ColSatDateFore", "ColSatDateBack"},
    {7, "ColWeekdayDateFore", "ColWeekdayDateBack"},
    {8, "ColHolidayDateFore", nullptr},
    {9, nullptr, "ColTodayBack"},
    {10, "ColMarkFore", "ColMarkBack"},
    {11, "ColPubLineFore", "ColPubLineBack"},
    {12, "ColPrivLineFore", "ColPrivLineBack"},
    {13, "ColMemoFore", "ColMemoBack"},
    {14, "ColYearFore", "ColYearBack"},
    {15, "ColMonthFore", "ColMonthBack"},
    {16, nullptr, "ColOtherMonthBack"},
};

TEST(ColourEditorLayout, RowsStandInTheirOrderWithCaptionsSamplesAndFonts) {
    Editor e;
    HbmColor& w = e.editor;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("HbmColor"));
    EXPECT_EQ(w.size(), QSize(385, 500)); // 5775 x 7500 twips
    std::vector<int> rows(HbmColor::Rows);
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(),
                     [&w](int a, int b) { return w.Command1[a]->y() < w.Command1[b]->y(); });
    EXPECT_EQ(rows, TopToBottom);
    for (int i = 0; i < HbmColor::Rows; ++i) {
        EXPECT_EQ(w.Command2[i]->y(), w.Command1[i]->y()) << i;
        if (i < HbmColor::ThicknessRow) {
            EXPECT_EQ(w.Text1[i]->y(), w.Command1[i]->y()) << i;
            EXPECT_DOUBLE_EQ(w.Text1[i]->font().pointSizeF(), 11.25) << i;
            const bool bold = i == 5 || i == 6 || i == 7 || i == 8 || i == 9 || i == 15 || i == 16;
            EXPECT_EQ(w.Text1[i]->font().bold(), bold) << i;
        }
    }
    EXPECT_EQ(w.Picture1->y(), w.Command1[17]->y());
    EXPECT_EQ(w.Command1[17]->text(), QStringLiteral("太さ"));
    EXPECT_EQ(w.Command2[17]->text(), QStringLiteral("色"));
    EXPECT_EQ(w.Command1[8]->text(), QStringLiteral("日付文字 祝祭日"));
    EXPECT_EQ(w.Command2[16]->text(), QStringLiteral("前後月 日枠"));
    EXPECT_EQ(w.Command1[4]->text(), QStringLiteral("曜日文字 MON～FRI"));
    EXPECT_EQ(w.Text1[0]->text(), QStringLiteral("　長文の---"));
    EXPECT_EQ(w.Text1[13]->text(), QStringLiteral("撫子播種(下旬)"));
    EXPECT_TRUE(w.Text1[12]->text().endsWith(QStringLiteral("誕生'01")));
    EXPECT_EQ(w.Label1[0]->text(), QStringLiteral("文字色　　　　　　背景色"));
    EXPECT_EQ(w.Label1[1]->text(), QStringLiteral("日付枠囲み線"));
    EXPECT_EQ(w.Command3->text(), QStringLiteral("OK"));
}

TEST(ColourEditorButtons, OnlyTheFixedColoursAreDisabled) {
    Editor e;
    for (const auto& r : RowTable) {
        EXPECT_EQ(e.editor.Command1[r.row]->isEnabled(), r.text != nullptr) << r.row;
        EXPECT_EQ(e.editor.Command2[r.row]->isEnabled(), r.back != nullptr) << r.row;
    }
    EXPECT_TRUE(e.editor.Command1[17]->isEnabled());
    EXPECT_TRUE(e.editor.Command2[17]->isEnabled());
    // A disabled button does not even open the chooser.
    for (auto* b : {e.editor.Command1[1], e.editor.Command1[9], e.editor.Command1[16], e.editor.Command2[8]})
        b->click();
    EXPECT_FALSE(e.ui.calls.contains(QStringLiteral("colour")));
}

TEST(ColourEditorButtons, EveryRowSetsItsOwnSlotAndSample) {
    Editor e;
    int colour = 0x102030;
    for (const auto& r : RowTable) {
        // The colours stay away from the screen colour, so the other-month rule never steps in.
        if (r.text) {
            e.expectOnlyChanged(e.editor.Command1[r.row], r.text, ++colour);
            EXPECT_EQ(foreColor(*e.editor.Text1[r.row]), colour) << r.row;
        }
        if (r.back) {
            e.expectOnlyChanged(e.editor.Command2[r.row], r.back, ++colour);
            EXPECT_EQ(backColor(*e.editor.Text1[r.row]), colour) << r.row;
        }
    }
    e.expectOnlyChanged(e.editor.Command2[17], "ColFrameLine", 0x00FF00);
}

TEST(ColourEditorButtons, ACancelledChooserChangesNothing) {
    Editor e;
    const auto before = values(e.m());
    for (int i = 0; i < HbmColor::Rows; ++i) {
        if (i != HbmColor::ThicknessRow)
            e.editor.Command1[i]->click();
        e.editor.Command2[i]->click();
    }
    EXPECT_EQ(values(e.m()), before);
    EXPECT_EQ(e.ui.calls.count(QStringLiteral("colour")), 14 + 17);
}

TEST(ColourEditorActivate, PaintsEverySampleFromTheSlots) {
    Editor e;
    HbmModule& m = e.m();
    for (const auto& r : RowTable) {
        const int fore = r.text ? m.*allSlots().at(r.text) : (r.row == 1 ? 0 : m.ColWeekdayDateFore);
        const int back = r.back ? m.*allSlots().at(r.back) : m.ColHolidayDateBack;
        EXPECT_EQ(foreColor(*e.editor.Text1[r.row]), fore) << r.row;
        EXPECT_EQ(backColor(*e.editor.Text1[r.row]), back) << r.row;
    }
    // A later change of the weekday date colour reaches rows 9 and 16 only at the next activation.
    e.ui.colourAnswers.push_back(0x445566);
    e.editor.Command1[7]->click();
    EXPECT_NE(foreColor(*e.editor.Text1[9]), 0x445566);
    e.editor.Form_Activate();
    EXPECT_EQ(foreColor(*e.editor.Text1[9]), 0x445566);
    EXPECT_EQ(foreColor(*e.editor.Text1[16]), 0x445566);
}

// Pixels of the preview that carry the line colour, in the middle row and anywhere.
std::pair<int, int> linePixels(const HbmColor& w, int colour) {
    const QImage& img = w.Picture1->image();
    const QColor c = colourFromBgr(colour);
    int middle = 0, any = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c) {
                ++any;
                middle += y == img.height() / 2;
            }
    return {middle, any};
}

TEST(ColourEditorPreview, ShowsTheFrameLineAtTheMiddleRowOrNothing) {
    struct Row {
        const char* what;
        int width;
        int expectedRows; // rows of the image covered by the line
    };
    const Row rows[] = {{"no line at width 0", 0, 0},
                        {"no line below 0", -3, 0},
                        {"one pixel", 1, 1},
                        {"three pixels", 3, 3}};
    for (const auto& r : rows) {
        Editor e;
        e.m().ColFrameLine = 0x0000FF;
        e.m().FrameLineWidth = r.width;
        e.editor.Form_Activate();
        const auto [middle, any] = linePixels(e.editor, 0x0000FF);
        const int width = e.editor.Picture1->width();
        EXPECT_EQ(middle, r.expectedRows ? width : 0) << r.what;
        EXPECT_EQ(any, r.expectedRows * width) << r.what;
    }
}

TEST(ColourEditorPreview, ChoosingTheLineColourWithoutALineSetsWidthOne) {
    for (int width : {0, -4}) {
        Editor e;
        e.m().FrameLineWidth = width;
        e.editor.Form_Activate();
        e.ui.colourAnswers.push_back(0xFF0000);
        e.editor.Command2[17]->click();
        EXPECT_EQ(e.m().FrameLineWidth, 1);
        EXPECT_EQ(e.m().ColFrameLine, 0xFF0000);
        EXPECT_EQ(linePixels(e.editor, 0xFF0000).first, e.editor.Picture1->width());
    }
}

TEST(ColourEditorThickness, PromptsWithTitleTextAndTheCurrentWidth) {
    Editor e;
    e.m().FrameLineWidth = 7;
    e.ui.promptAnswers.push_back(QStringLiteral("3"));
    e.editor.Command1[17]->click();
    ASSERT_EQ(e.ui.prompts.size(), 1u);
    EXPECT_EQ(e.ui.prompts[0].title, QStringLiteral("日付枠囲み線太さ"));
    EXPECT_EQ(e.ui.prompts[0].defaultText, QStringLiteral("7"));
    EXPECT_EQ(e.ui.prompts[0].prompt,
              QStringLiteral("囲み線の太さを整数(20以下)で入力下さい。\n\r\n\r1 は 約 0.26mm に対応！ 0 "
                             "で 囲み線を引きません!"));
    EXPECT_FALSE(e.ui.calls.contains(QStringLiteral("colour")));
    EXPECT_EQ(e.m().FrameLineWidth, 3);
}

TEST(ColourEditorThickness, PixelSizeInMillimetres) {
    EXPECT_TRUE(HbmColor::thicknessPrompt(15).contains(QStringLiteral("約 0.26mm")));
    EXPECT_TRUE(HbmColor::thicknessPrompt(12).contains(QStringLiteral("約 0.21mm")));
    EXPECT_TRUE(HbmColor::thicknessPrompt(17).contains(QStringLiteral("約 0.3mm")));
}

TEST(ColourEditorThickness, ReadsTheAnswerAsANumber) {
    struct Row {
        const char* answer;
        int width;
    };
    const Row rows[] = {
        {"2.9", 2},
        {"7mm", 7},
        {"25", 20},
        {"-3", -3},
        {"", 0},
        {"abc", 0},
        {" 1 2", 12},
        {"\n\t1\n2", 12},
        {"1e1", 10},
        {"1.5E1", 15},
        {"+4", 4},
        {"-0.5", -1},
        {".9", 0},
        {"20.99", 20},
        {"3,5", 3},
        {"1 e 1", 10},
        {"5E", 5},
        {"1e999", 20},
        {"-", 0},
        {"0", 0},
        {"\r5", 0},
        {"99999999999", 20},
        {"-2147483648", INT_MIN},
    };
    for (const auto& r : rows) {
        Editor e;
        e.ui.promptAnswers.push_back(QString::fromUtf8(r.answer));
        e.editor.Command1[17]->click();
        EXPECT_EQ(e.m().FrameLineWidth, r.width) << '"' << r.answer << '"';
        const auto [middle, any] = linePixels(e.editor, e.m().ColFrameLine);
        EXPECT_EQ(any > 0, r.width >= 1) << r.answer;
    }
}

TEST(ColourEditorThickness, ACancelledPromptClearsTheLine) {
    Editor e;
    ASSERT_GT(linePixels(e.editor, e.m().ColFrameLine).second, 0);
    e.editor.Command1[17]->click(); // no answer queued: cancelled
    EXPECT_EQ(e.m().FrameLineWidth, 0);
    EXPECT_EQ(linePixels(e.editor, e.m().ColFrameLine).second, 0);
}

TEST(ColourEditorOtherMonth, StaysApartFromTheScreenColour) {
    struct Row {
        const char* what;
        int screen, other;
        int button; // Command2 row
        int chosen;
        int screenAfter, otherAfter;
    };
    const Row rows[] = {
        {"screen chosen as the other-month colour", 0x808080, 0x707070, 0, 0x707070, 0x707070, 0x70706F},
        {"other-month chosen as the screen colour", 0x808080, 0x707070, 16, 0x808080, 0x808080, 0x80807F},
        {"both black: other-month moves up", 0x808080, 0, 0, 0, 0, 1},
        {"other-month chosen black on black", 0, 0x707070, 16, 0, 0, 1},
        {"equal from a file, any row fixes it", 0x505050, 0x505050, 5, 0x123456, 0x505050, 0x50504F},
        {"different colours stay", 0x808080, 0x707070, 0, 0x606060, 0x606060, 0x707070},
        {"line colour row applies the rule too", 0x505050, 0x505050, 17, 0xFF, 0x505050, 0x50504F},
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

TEST(ColourEditorWindow, DoubleClickOnTheFreeAreaPrintsAndOkCloses) {
    Editor e;
    // Between the button column and the samples there is no control.
    QTest::mouseDClick(&e.editor, Qt::LeftButton, Qt::NoModifier, QPoint(240, 250));
    EXPECT_EQ(e.ui.calls, QStringList{QStringLiteral("print:HbmColor")});
    QTest::mouseDClick(e.editor.Command1[0], Qt::LeftButton);
    EXPECT_EQ(e.ui.calls.count(QStringLiteral("print:HbmColor")), 1);
    bool closed = false;
    QObject::connect(&e.editor, &Form::closed, [&closed] { closed = true; });
    e.editor.Command3->click();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(e.editor.isVisible());
}

} // namespace
} // namespace hibimo::test
