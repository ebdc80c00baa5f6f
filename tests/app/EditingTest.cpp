// Editing the day cells and the month memo: the double-click edits through the memo dialog, the refusal
// of other-month cells, and the growing of long boxes. A popup menu, another window or a message box
// leave the editing of a grown box or of the memo going; a month or year step ends it as a move to
// another control does. What a paste leaves in the memo and in the tables, the month it belongs to,
// and no memo lost when the main window is activated again.
#include "app/MonthMemo.h"
#include "calendar/YearFile.h"
#include "dialogs/HbmInput.h"
#include "tests/TestSupport.h"
#include "toolkit/Twips.h"

#include <QMenu>

namespace hibimo::test {
namespace {

TEST(EditingRefusal, OtherMonthCellsAreRefusedByColourAndNothingIsWritten) {
    const QString dialog = "当月以外の枠への入力はできません。\r一ヶ月前/後してから入力下さい。";
    const QString typed =
        "当月以外の枠への入力は無効です。今 入力した文字は保存されません。\r一ヶ月前/後してから入力下さい。";
    // Cell 1 is April's, 36 and 40 are June's. The mark is typed into its box, the others double-clicked.
    const std::pair<Box, int> rows[] = {
        {Box::DayNumber, 1}, {Box::Public, 36}, {Box::Private, 40}, {Box::Mark, 36}};
    for (const auto& [box, cell] : rows) {
        SCOPED_TRACE(int(box));
        Calendar c;
        HbmModule& m = c.m();
        const QByteArray file = c.bytes("HB2024.hbd");
        const auto tables = std::tuple(m.DayItem, m.PubLine, m.PrivLine);
        if (box != Box::Mark) {
            c.doubleClick(box, cell);
        } else {
            c.showIn(*c.f().Text5[cell], "休");
            c.f().TxtBox2Array(5, cell);
        }
        ASSERT_EQ(c.ui.calls, QStringList{"message"});
        EXPECT_EQ(c.ui.messages[0].title + "|" + c.ui.messages[0].text,
                  "直接入力エラー|" + (box == Box::Mark ? typed : dialog));
        EXPECT_TRUE(std::tuple(m.DayItem, m.PubLine, m.PrivLine) == tables);
        EXPECT_EQ(std::pair(m.LoadedYearChanged, c.bytes("HB2024.hbd")), std::pair(false, file)) << "saved";
    }
}

TEST(EditingDoubleClick, EditsStoresSavesAndShowsKeepingTheMonthMemo) {
    const QString mark = "--日毎メモ:この日の個人的予定",
                  titles[] = {mark, "--今年のみの祝祭日的行事", "--今年のみの個人的予定/行事", mark};
    // Name, the box double-clicked, the day, O K (else the close box), the text typed, the text offered, the
    // user text or mark entry stored afterwards, the text shown.
    const std::tuple<const char*, Box, int, bool, QString, QString, QString, QString> rows[] = {
        {"public line of a holiday", Box::Public, 3, true, "休館", "", "休館", "憲法記念日休館"},
        {"public line cleared", Box::Public, 10, true, "", "会議", "", "記念日"},
        {"public line, close box", Box::Public, 10, false, "総会", "会議", "会議", "記念日会議"},
        {"private line, double quote", Box::Private, 10, true, "\"A\"", "歯医者", "”A”", "”A”"},
        {"mark on an ordinary day, double quote", Box::Mark, 7, true, "\"休\"", "", "05072 ”休”", "”休”"},
        {"mark on a red day, from the day number", Box::DayNumber, 3, true, "●", "休", "05032#●", "●"},
        {"mark cleared on a red day keeps the flag", Box::Mark, 3, true, "", "休", "05032#", ""},
        {"mark cleared on an ordinary day removes the entry", Box::Mark, 10, true, "", "出", "", ""},
        {"mark, close box", Box::Mark, 10, false, "◆", "出", "05102 出", "出"},
    };
    for (const auto& [name, box, day, confirmed, typed, offered, stored, shown] : rows) {
        SCOPED_TRACE(name);
        Calendar c;
        HbmModule& m = c.m();
        m.PubLine[4][9] = "会議";
        m.PrivLine[4][9] = "歯医者";
        m.DayItem[4][10][2] = "05102 出";
        m.DayItem[4][3][2] = "05032#休";
        ASSERT_TRUE(PCwrite(m, "2024"));
        c.f().F_C_disp(2024, 5);
        c.pasteMemo("連休は帰省"); // closing the dialog reloads the year: the unsaved memo must survive
        QString seen;              // the dialog's title and the text it offers
        c.ui.modalActions.push_back([&seen, text = typed, ok = confirmed](QWidget& w) {
            auto& d = static_cast<HbmInput&>(w);
            seen = d.Label3->caption() + "|" + d.Text1->text();
            d.Text1->setText(text);
            if (ok)
                QTest::mouseClick(d.Command1[0], Qt::LeftButton);
            else
                d.close();
        });
        const int i = c.cellOf(day);
        c.doubleClick(box, i);
        EXPECT_EQ(c.ui.calls, QStringList{"modal:HbmInput"});
        EXPECT_EQ(seen, QString("5/%1").arg(day) + titles[int(box)] + "|" + offered);
        const auto saved = c.reread();
        const QString afterwards[] = {saved->DayItem[4][day][2], saved->PubLine[4][day - 1],
                                      saved->PrivLine[4][day - 1], saved->DayItem[4][day][2]};
        EXPECT_EQ(afterwards[int(box)], stored);
        EXPECT_EQ(saved->DayItem[4][0][0] + "|" + c.f().Text4->text(), "05000連休は帰省|連休は帰省");
        EXPECT_EQ(c.box(box == Box::DayNumber ? Box::Mark : box, i)->text(), shown);
        EXPECT_EQ(std::pair(m.LoadedYearChanged, m.DispDone), std::pair(false, true)) << "saved, shown";
    }
}

const QString Long = QString(130, QChar(0x3042)); // grows every box

// The box a row works on, clicked as the user does (it grows, the memo becomes editable).
enum class Target { Memo, Public, Private, Mark };

QWidget* clickTarget(Calendar& c, Target t, int cell) {
    if (t == Target::Memo) {
        c.showIn(*c.f().Text4, Long);
        QTest::mouseClick(c.f().Text4->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        return c.f().Text4;
    }
    CellBox* box = c.box(Box(int(t)), cell);
    c.showIn(*box, Long);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    return box;
}

// A popup menu or another window (a message box, another application) leaves the editing going; a month
// or year step ends it before the next month is shown, as a move to another control does.
TEST(EditingFocus, OnlyAStepOrAMoveToAnotherControlEndsIt) {
    enum class Then { PopupMenu, AnotherWindow, MonthBack, MonthOn, YearBack, YearOn };
    // The memo and the long boxes each meet a popup menu, another window, or a step.
    using enum Target;
    using enum Then;
    const std::pair<Target, Then> rows[] = {
        {Memo, PopupMenu},       {Memo, AnotherWindow}, {Public, PopupMenu},
        {Public, AnotherWindow}, {Public, MonthOn},     {Private, MonthBack},
        {Mark, YearOn},          {Memo, YearBack},      {Memo, MonthOn}};
    for (const auto& [target, then] : rows) {
        SCOPED_TRACE(testing::Message() << "target " << int(target) << ", then " << int(then));
        Calendar c(QDate(2024, 12, 15));
        HbmFrm& f = c.f();
        activate(f);
        QWidget* box = clickTarget(c, target, 19);
        const int grown = box->height(),
                  rest = twipsToPx(std::array{MonthMemo::RestHeight, 285, 435, 210}[int(target)]);
        ASSERT_GT(grown, rest);
        if (then == Then::PopupMenu) {
            QMenu menu;
            menu.addAction(QStringLiteral("貼り付け"));
            menu.popup(box->mapToGlobal(QPoint(5, 5)));
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
            menu.close();
        } else if (then == Then::AnotherWindow) {
            QWidget other;
            other.show();
            activate(other);
            activate(f);
        } else {
            const int step = int(then) - int(Then::MonthBack);
            QTest::mouseClick((step < 2 ? f.Command1 : f.Command2)[step % 2], Qt::LeftButton);
        }
        if (then < Then::MonthBack) {
            EXPECT_EQ(box->height(), grown);
            if (target == Target::Memo) {
                EXPECT_FALSE(f.Text4->isReadOnly());
                f.Text4->moveCursor(QTextCursor::End);
                QTest::keyClick(f.Text4, Qt::Key_A);
                EXPECT_EQ(c.m().DayItem[11][0][0], "12000" + Long + "a");
            }
            QTest::mouseClick(f.Text2[22], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        }
        EXPECT_EQ(std::tuple(box->height(), f.Text4->isReadOnly(), box->hasFocus()),
                  std::tuple(rest, true, false));
        EXPECT_GT(f.children().indexOf(f.Text3[19]), f.children().indexOf(f.Text2[19]));
        // Clicked again, also in the new month, it grows again.
        clickTarget(c, target, 19);
        EXPECT_GT(box->height(), rest);
    }
}

TEST(MonthMemo, GrowsFromOneHundredTwentyCharactersWhileFocusedAndBelongsToTheMonthShown) {
    Calendar c(QDate(2024, 11, 20));
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
    // December shown by navigation is month eleven of the tables.
    c.m().DayItem[11][0][0] = "12000年末";
    f.Command1_Click(1);
    EXPECT_EQ(f.Text4->text(), "年末");
    EXPECT_FALSE(c.m().LoadedYearChanged) << "showing a memo is no change";
    c.showIn(*f.Text1[15], "3"); // a day number must not decide the month
    c.pasteMemo("大掃除");
    EXPECT_EQ(c.m().DayItem[11][0][0], "12000年末大掃除");
    EXPECT_EQ(c.m().DayItem[10][0][0] + c.m().DayItem[2][0][0], "");
}

} // namespace
} // namespace hibimo::test
