// Editing the day cells: the double-click edits through the memo dialog, the refusal of other-month
// cells, and the growing of long boxes.
#include "calendar/YearFile.h"
#include "dialogs/HbmInput.h"
#include "tests/TestSupport.h"
#include "toolkit/Colours.h"
#include "toolkit/Twips.h"

#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

TEST(EditingRefusal, OtherMonthCellsAreRefusedByColourAndNothingIsWritten) {
    const QString dialog = "当月以外の枠への入力はできません。\r一ヶ月前/後してから入力下さい。";
    const QString typed =
        "当月以外の枠への入力は無効です。今 入力した文字は保存されません。\r一ヶ月前/後してから入力下さい。";
    const struct {
        const char* name;
        bool doubleClick; // else a mark typed into the box
        Box box;
        int cell;
        QString message;
    } rows[] = {
        {"day number of April (leading cell)", true, Box::DayNumber, 1, dialog},
        {"public line of June (trailing cell)", true, Box::Public, 36, dialog},
        {"private line of June (trailing cell)", true, Box::Private, 40, dialog},
        {"typed mark of June (trailing cell)", false, Box::Mark, 36, typed},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Calendar c;
        HbmModule& m = c.m();
        const QByteArray file = c.bytes("HB2024.hbd");
        const auto tables = std::tuple(m.DayItem, m.PubLine, m.PrivLine);
        if (row.doubleClick) {
            c.doubleClick(row.box, row.cell);
        } else {
            c.showIn(*c.f().Text5[row.cell], "休");
            c.f().TxtBox2Array(5, row.cell);
        }
        EXPECT_EQ(c.ui.calls, QStringList{"message"});
        EXPECT_EQ(c.ui.messageTexts(), QStringList{row.message});
        EXPECT_EQ(c.ui.messages.at(0).title, "直接入力エラー");
        EXPECT_TRUE(std::tuple(m.DayItem, m.PubLine, m.PrivLine) == tables);
        EXPECT_FALSE(m.LoadedYearChanged);
        EXPECT_EQ(c.bytes("HB2024.hbd"), file);
    }
}

QString userText(HbmModule& m, Box box, int day) {
    return box == Box::Public    ? m.PubLine[4][day - 1]
           : box == Box::Private ? m.PrivLine[4][day - 1]
                                 : m.DayItem[4][day][2];
}

TEST(EditingDoubleClick, EditsStoresSavesAndShowsKeepingTheMonthMemo) {
    const QString mark = "--日毎メモ:この日の個人的予定",
                  titles[] = {mark, "--今年のみの祝祭日的行事", "--今年のみの個人的予定/行事", mark};
    struct Row {
        const char* name;
        Box box;
        int day;
        QString typed;
        bool confirmed;                 // O K, else the close box
        QString offered, stored, shown; // stored: the user text or mark entry afterwards
    } rows[] = {
        {"public line of a holiday", Box::Public, 3, "休館", true, "", "休館", "憲法記念日休館"},
        {"public line cleared", Box::Public, 10, "", true, "会議", "", "記念日"},
        {"public line, close box", Box::Public, 10, "総会", false, "会議", "会議", "記念日会議"},
        {"private line, double quote", Box::Private, 10, "\"A\"", true, "歯医者", "”A”", "”A”"},
        {"mark on an ordinary day, double quote", Box::Mark, 7, "\"休\"", true, "", "05072 ”休”", "”休”"},
        {"mark on a red day, from the day number", Box::DayNumber, 3, "●", true, "休", "05032#●", "●"},
        {"mark cleared on a red day keeps the flag", Box::Mark, 3, "", true, "休", "05032#", ""},
        {"mark cleared on an ordinary day removes the entry", Box::Mark, 10, "", true, "出", "", ""},
        {"mark, close box", Box::Mark, 10, "◆", false, "出", "05102 出", "出"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Calendar c;
        HbmModule& m = c.m();
        m.PubLine[4][9] = "会議";
        m.PrivLine[4][9] = "歯医者";
        m.DayItem[4][10][2] = "05102 出";
        m.DayItem[4][3][2] = "05032#休";
        ASSERT_TRUE(PCwrite(m, "2024"));
        c.f().F_C_disp(2024, 5);
        c.pasteMemo("連休は帰省"); // closing the dialog reloads the year: the unsaved memo must survive
        c.ui.modalActions.push_back([&](QWidget& w) {
            auto& d = static_cast<HbmInput&>(w);
            EXPECT_EQ(d.Text1->text(), row.offered);
            EXPECT_EQ(d.Label3->caption(), QString("5/%1").arg(row.day) + titles[int(row.box)]);
            d.Text1->setText(row.typed);
            row.confirmed ? QTest::mouseClick(d.Command1[0], Qt::LeftButton) : void(d.close());
        });
        const int i = c.cellOf(row.day);
        c.doubleClick(row.box, i);
        EXPECT_EQ(c.ui.calls, QStringList{"modal:HbmInput"});
        const auto saved = c.reread();
        EXPECT_EQ(userText(*saved, row.box, row.day), row.stored);
        EXPECT_EQ(saved->DayItem[4][0][0] + "|" + c.f().Text4->text(), "05000連休は帰省|連休は帰省");
        EXPECT_EQ(c.box(row.box == Box::DayNumber ? Box::Mark : row.box, i)->text(), row.shown);
        EXPECT_FALSE(m.LoadedYearChanged);
        EXPECT_TRUE(m.DispDone);
    }
}

} // namespace
} // namespace hibimo::test
