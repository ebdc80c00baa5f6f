#include "calendar/YearFile.h"

#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "calendar/YearLoading.h"
#include "tests/TestSupport.h"
#include "tests/calendar/FileSizeLimit.h"

#include <QDir>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

QStringList records(const QByteArray& bytes) {
    const QString text = decodeCp932(bytes).value_or(QString());
    RecordReader reader(text);
    QStringList list;
    while (std::optional<QString> record = reader.next())
        list << *record;
    return list;
}

TEST(YearFile, AnEmptyYearHasTheMarkerAndAllLineRecords) {
    test::Fixture f;
    ASSERT_TRUE(PCwrite(f.m(), "2024"));
    const QStringList list = records(f.bytes("HB2024.hbd"));
    ASSERT_EQ(list.size(), 745);
    EXPECT_EQ(list[0], "TTTTT");
    EXPECT_EQ(list[1], "T2PubL0101");
    EXPECT_EQ(list[2], "T3Priv0101");
    EXPECT_EQ(list[61], "T2PubL0131"); // slots of dates that do not exist are written too
    EXPECT_EQ(list[63], "T2PubL0201");
    EXPECT_EQ(list[744], "T3Priv1231");
    EXPECT_TRUE(f.bytes("HB2024.hbd").startsWith("\"TTTTT\"\r\n\"T2PubL0101\"\r\n\"T3Priv0101\"\r\n"));
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(YearFile, WritesEntriesLongerThanTheKeyInTableOrder) {
    test::Fixture f;
    auto& m = f.m();
    m.DayItem[0][1][2] = "01012#";
    m.DayItem[0][1][0] = QString::fromUtf8("01010元旦");
    m.DayItem[0][0][0] = QString::fromUtf8("01000メモ\r\n二行目");
    m.DayItem[0][2][0] = "01030"; // a key alone
    m.DayItem[11][31][1] = QString::fromUtf8("12311誰か'72");
    m.PubLine[1][29] = QString::fromUtf8("ない日");
    m.PrivLine[0][0] = QString::fromUtf8("私");
    ASSERT_TRUE(PCwrite(m, " 2024 "));
    const QStringList list = records(f.bytes("HB2024.hbd"));
    ASSERT_EQ(list.size(), 749);
    EXPECT_EQ(list.mid(0, 5),
              QStringList({QString::fromUtf8("01000メモ\r\n二行目"), QString::fromUtf8("01010元旦"), "01012#",
                           QString::fromUtf8("12311誰か'72"), "TTTTT"}));
    EXPECT_EQ(list[6], QString::fromUtf8("T3Priv0101私"));
    EXPECT_EQ(list[5 + 2 * 31 + 2 * 29], QString::fromUtf8("T2PubL0230ない日"));
}

TEST(YearFile, WriteLoadWriteGivesIdenticalBytes) {
    test::Fixture f;
    auto& m = f.m();
    m.DayItem[4][5][0] = QString::fromUtf8("05050:こどもの日\r\n・端午");
    m.DayItem[4][5][2] = QString::fromUtf8("05052#休");
    m.DayItem[6][0][0] = QString::fromUtf8("07000七月 ～①髙﨑ｶﾅ");
    m.PubLine[4][4] = QString::fromUtf8("柏餅");
    m.PrivLine[11][30] = "x";
    ASSERT_TRUE(PCwrite(m, "2024"));
    const QByteArray first = f.bytes("HB2024.hbd");
    ASSERT_TRUE(PCwrite(m, "2024"));
    EXPECT_EQ(f.bytes("HB2024.hbd"), first);

    const CalendarState before = m;
    m.DayItem = {};
    m.PubLine = {};
    m.PrivLine = {};
    YearLoad(m, "2024");
    EXPECT_EQ(m.DayItem, before.DayItem);
    EXPECT_EQ(m.PubLine, before.PubLine);
    EXPECT_EQ(m.PrivLine, before.PrivLine);
    ASSERT_TRUE(PCwrite(m, "2024"));
    EXPECT_EQ(f.bytes("HB2024.hbd"), first);
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(YearFile, ADoubleQuoteInATextIsWrittenAsAClosingQuotationMark) {
    test::Fixture f;
    f.m().PubLine[0][0] = "say \"hi\"";
    ASSERT_TRUE(PCwrite(f.m(), "2024"));
    EXPECT_EQ(records(f.bytes("HB2024.hbd"))[1], QString::fromUtf8("T2PubL0101say ”hi”"));
}

TEST(YearFile, TheFileNameKeepsOnlyTheDigitsOfTheYear) {
    test::Fixture f;
    EXPECT_EQ(yearFilePath(f.m(), " 2025"), f.path("HB2025.hbd"));
    EXPECT_EQ(yearFilePath(f.m(), "../20/24"), f.path("HB2024.hbd"));
}

const QString WriteFailed = QString::fromUtf8("カレンダーデータファイル作成失敗！");

TEST(YearFile, AFailedWriteShowsItsMessageAndChangesNothingOnDisk) {
    test::Fixture f;
    ASSERT_TRUE(QDir(f.dir.path()).mkdir("HB2024.hbd"));
    EXPECT_FALSE(PCwrite(f.m(), "2024"));
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, WriteFailed);
    EXPECT_EQ(f.ui.messages[0].title, AppTitle);
    EXPECT_TRUE(QFileInfo(f.path("HB2024.hbd")).isDir());
}

TEST(YearFile, AWriteThatFailsHalfWayLeavesTheOldFile) {
    test::Fixture f;
    f.writeBytes("HB2024.hbd", "old");
    f.m().PubLine[0][0] = "new";
    {
        test::FileSizeLimit limit(1000); // the year file is about 12 KB
        EXPECT_FALSE(PCwrite(f.m(), "2024"));
    }
    EXPECT_EQ(f.ui.messageTexts(), QStringList{WriteFailed});
    EXPECT_EQ(f.bytes("HB2024.hbd"), QByteArray("old"));
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files), QStringList{"HB2024.hbd"});
}

} // namespace
} // namespace hibimo
