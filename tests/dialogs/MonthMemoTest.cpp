// The month memo: editable from a click, growing, the 1200-character limit, the write-back on every
// change, what the box shows being what the file gets, and no memo lost when the window is activated.
#include "EditingSupport.h"
#include "toolkit/Colours.h"
#include "toolkit/Twips.h"

#include <gtest/gtest.h>

namespace hibimo::test::editing {
namespace {

const QString TooLong = QStringLiteral("文字数が多すぎます。1200字まで切捨てます。");

void clickMemo(HbmFrm& f) {
    QTest::mouseClick(f.Text4->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

void typeInto(QWidget& box, const QString& text) {
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QString repeated(const QString& piece, int times) {
    QString s;
    for (int k = 0; k < times; ++k)
        s += piece;
    return s;
}

struct LimitRow {
    const char* name;
    QString pasted; // as the box holds it, "\n" for a line break
    bool cut;
    QString kept; // the memo afterwards, CR LF for a line break
};

void PrintTo(const LimitRow& row, std::ostream* os) {
    *os << row.name;
}

class MonthMemoLimit : public ::testing::TestWithParam<LimitRow> {};

TEST_P(MonthMemoLimit, CutsAtTwelveHundredCountingLineBreaksTwice) {
    const LimitRow& row = GetParam();
    Calendar c;
    c.pasteMemo(row.pasted);
    EXPECT_EQ(c.ui.messages.size(), row.cut ? 1u : 0u);
    if (row.cut) {
        EXPECT_EQ(c.ui.messages[0].text, TooLong);
        EXPECT_EQ(c.ui.messages[0].title, AppTitle);
    }
    EXPECT_EQ(c.f().Text4->text(), row.kept);
    EXPECT_LE(c.f().Text4->text().size(), 1200);
    EXPECT_EQ(c.m().DayItem[4][0][0], QStringLiteral("05000") + row.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MonthMemoLimit,
    ::testing::Values(
        LimitRow{"Exactly1200", QString(1200, QChar(0x3042)), false, QString(1200, QChar(0x3042))},
        LimitRow{"Chars1201", QString(1201, QChar(0x3042)), true, QString(1200, QChar(0x3042))},
        LimitRow{"Pasted1500", QString(1500, QLatin1Char('x')), true, QString(1200, QLatin1Char('x'))},
        LimitRow{"LineBreaksCountTwiceUnder", repeated(QStringLiteral("a\n"), 399) + QStringLiteral("a"),
                 false, repeated(QStringLiteral("a\r\n"), 399) + QStringLiteral("a")},
        LimitRow{"LineBreaksCountTwiceOver", repeated(QStringLiteral("a\n"), 401), true,
                 repeated(QStringLiteral("a\r\n"), 400)},
        LimitRow{"NeverHalfALineBreak", QString(1199, QLatin1Char('a')) + QStringLiteral("\nb"), true,
                 QString(1199, QLatin1Char('a'))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MonthMemoGrowth, GrowsFromOneHundredTwentyCharactersWhileFocused) {
    struct Row {
        const char* name;
        int chars;
        int grown;
    } rows[] = {{"119 characters", 119, 3270}, {"120 characters", 120, 4500}};
    for (const auto& row : rows) {
        Calendar c;
        HbmFrm& f = c.f();
        c.m().DispDone = false;
        f.Text4->setText(QString(row.chars, QChar(0x3042)));
        c.m().DispDone = true;
        c.memo().Text4_GotFocus();
        EXPECT_EQ(f.Text4->height(), twipsToPx(row.grown)) << row.name;
        EXPECT_EQ(f.children().last(), f.Text4) << "in front of the controls below it";
        EXPECT_TRUE(f.Text4->isLocked()) << "gaining the focus alone does not make it editable";
        c.memo().Text4_LostFocus();
        EXPECT_EQ(f.Text4->height(), twipsToPx(3270)) << row.name;
    }
}

TEST(MonthMemoEditing, EditableFromAClickUntilItLosesTheFocus) {
    Calendar c;
    HbmFrm& f = c.f();
    HbmModule& m = c.m();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    EXPECT_TRUE(f.Text4->isLocked());
    f.Text4->setFocus(Qt::TabFocusReason);
    typeInto(*f.Text4, QStringLiteral("無視"));
    EXPECT_EQ(f.Text4->text(), QString()) << "focus alone leaves the memo read-only";

    clickMemo(f);
    EXPECT_FALSE(f.Text4->isLocked());
    typeInto(*f.Text4, QStringLiteral("遠足"));
    EXPECT_EQ(m.DayItem[4][0][0], QStringLiteral("05000遠足")) << "every keystroke is written back";
    EXPECT_TRUE(m.LoadedYearChanged);

    QTest::mouseClick(f.Text2[c.cellOf(8)], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_TRUE(f.Text4->isLocked());
    EXPECT_EQ(f.Text4->height(), twipsToPx(3270));
}

TEST(MonthMemoEditing, TheDisplayWritesNothingBackAndAMonthStepKeepsTheMemo) {
    Calendar c;
    HbmFrm& f = c.f();
    HbmModule& m = c.m();
    m.DayItem[5][0][0] = QStringLiteral("06000六月のメモ");
    f.Command1_Click(1);
    EXPECT_EQ(f.Text4->text(), QStringLiteral("六月のメモ"));
    EXPECT_FALSE(m.LoadedYearChanged) << "showing a memo is no change";

    f.Text4->moveCursor(QTextCursor::End);
    c.pasteMemo(QStringLiteral("追記"));
    f.Command1_Click(0);
    EXPECT_EQ(f.Text4->text(), QString());
    f.Command1_Click(1);
    EXPECT_EQ(f.Text4->text(), QStringLiteral("六月のメモ追記"));
    EXPECT_FALSE(c.yearFile().contains(QStringLiteral("追記"))) << "not saved yet";
}

TEST(MonthMemoEditing, DecemberShownByNavigationGoesToMonthEleven) {
    Calendar c(QDate(2024, 11, 20));
    c.f().Command1_Click(1);
    c.ui.messages.clear();
    c.pasteMemo(QStringLiteral("大掃除"));
    EXPECT_EQ(c.m().DayItem[11][0][0], QStringLiteral("12000大掃除"));
    EXPECT_EQ(c.m().DayItem[10][0][0], QString());
    EXPECT_TRUE(c.ui.messages.empty());
}

TEST(MonthMemoCharacters, TheBoxShowsWhatTheFileGets) {
    struct Row {
        const char* name;
        QString typed;
        QString shown;
        QString message; // empty: none
    } rows[] = {
        {"double quote", QStringLiteral("\"晴\"の日"), QStringLiteral("”晴”の日"), {}},
        {"emoji removed with a message", QStringLiteral("会😀議"), QStringLiteral("会議"),
         QStringLiteral("次の文字は保存できません: 😀\r別の文字に置き換えて下さい。")},
        {"two unstorable kinds named once each", QStringLiteral("𠮷😀😀野"), QStringLiteral("野"),
         QStringLiteral("次の文字は保存できません: 𠮷😀\r別の文字に置き換えて下さい。")},
    };
    for (const auto& row : rows) {
        Calendar c;
        HbmFrm& f = c.f();
        c.pasteMemo(QStringLiteral("前後"));
        QTextCursor cursor = f.Text4->textCursor();
        cursor.setPosition(1);
        f.Text4->setTextCursor(cursor);
        c.pasteMemo(row.typed);
        const QString expected = QStringLiteral("前") + row.shown + QStringLiteral("後");
        EXPECT_EQ(f.Text4->text(), expected) << row.name;
        EXPECT_EQ(f.Text4->textCursor().position(), 1 + row.shown.size()) << row.name << ": the cursor stays";
        EXPECT_EQ(c.m().DayItem[4][0][0], QStringLiteral("05000") + expected) << row.name;
        EXPECT_EQ(c.ui.messageTexts(), row.message.isEmpty() ? QStringList() : QStringList{row.message})
            << row.name;
    }
}

TEST(MonthMemoRefusal, CellFifteenInTheOtherMonthColourRefusesEveryChange) {
    Calendar c;
    HbmModule& m = c.m();
    m.ColOtherMonthBack = m.ColWeekdayDateBack;
    c.f().F_C_disp(2024, 5);
    ASSERT_EQ(backColor(*c.f().Text1[15]), m.ColOtherMonthBack);
    c.f().Text4->setLocked(false);
    typeInto(*c.f().Text4, QStringLiteral("ab"));
    EXPECT_EQ(c.ui.messages.size(), 2u);
    EXPECT_EQ(c.ui.messages[0].title, QStringLiteral("直接入力エラー"));
    EXPECT_EQ(c.ui.messages[0].text,
              QStringLiteral("当月以外の枠への入力は無効です。今 入力した文字は保存されません。\r"
                             "一ヶ月前/後してから入力下さい。"));
    EXPECT_EQ(m.DayItem[4][0][0], QString());
    EXPECT_FALSE(m.LoadedYearChanged);
}

// The main window reloads the loaded year from its file whenever it is activated again; a memo typed
// since the last save must survive that.
TEST(MonthMemoNeverLost, SurvivesTheMemoDialog) {
    struct Row {
        const char* name;
        std::function<void(Calendar&)> edit;
    } rows[] = {
        {"public line, O K",
         [](Calendar& c) {
             whenDialogOpens(c.ui, typeAndConfirm(QStringLiteral("会議")));
             QTest::mouseDClick(c.f().Text2[c.cellOf(7)], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
             EXPECT_EQ(c.reread()->m().PubLine[4][6], QStringLiteral("会議"));
         }},
        {"mark, O K",
         [](Calendar& c) {
             whenDialogOpens(c.ui, typeAndConfirm(QStringLiteral("休")));
             QTest::mouseDClick(c.f().Text1[c.cellOf(7)], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
             EXPECT_EQ(c.reread()->m().DayItem[4][7][2], QStringLiteral("05072 休"));
         }},
        {"private line, close box",
         [](Calendar& c) {
             whenDialogOpens(c.ui, typeAndCloseBox(QStringLiteral("x")));
             c.cells().Text3_DblClick(c.cellOf(7));
         }},
    };
    for (const auto& row : rows) {
        Calendar c;
        c.pasteMemo(QStringLiteral("連休は帰省"));
        row.edit(c);
        EXPECT_EQ(c.f().Text4->text(), QStringLiteral("連休は帰省")) << row.name;
        EXPECT_EQ(c.reread()->m().DayItem[4][0][0], QStringLiteral("05000連休は帰省")) << row.name;
        EXPECT_FALSE(c.m().LoadedYearChanged) << row.name;
    }
}

TEST(MonthMemoNeverLost, SurvivesAnotherWindowClosing) {
    Calendar c;
    HbmFrm& f = c.f();
    auto editor = std::make_unique<Form>();
    editor->setObjectName(QStringLiteral("Editor"));
    editor->showModeless(&f);
    c.pasteMemo(QStringLiteral("エディタを開いたまま"));
    editor->close();
    EXPECT_EQ(f.Text4->text(), QStringLiteral("エディタを開いたまま"));
    EXPECT_EQ(c.reread()->m().DayItem[4][0][0], QStringLiteral("05000エディタを開いたまま"));
    EXPECT_TRUE(f.Text4->isLocked()) << "read-only again after the activation";
}

} // namespace
} // namespace hibimo::test::editing
