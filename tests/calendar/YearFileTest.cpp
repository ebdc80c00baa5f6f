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

TEST(YearFile, AnEmptyYearIsTheMarkerAndAllLineRecords) {
    test::Fixture f;
    ASSERT_TRUE(PCwrite(f.m(), "2024"));
    const QStringList list = records(f.bytes("HB2024.hbd"));
    ASSERT_EQ(list.size(), 745);
    EXPECT_TRUE(f.bytes("HB2024.hbd").startsWith("\"TTTTT\"\r\n\"T2PubL0101\"\r\n\"T3Priv0101\"\r\n"));
    EXPECT_EQ(list[61], "T2PubL0131"); // slots of dates that do not exist are written too
    EXPECT_EQ(list[63], "T2PubL0201");
    EXPECT_EQ(list[744], "T3Priv1231");
    EXPECT_EQ(yearFilePath(f.m(), "../20/24"), f.path("HB2024.hbd"));
}

TEST(YearFile, WriteLoadWriteGivesIdenticalBytes) {
    test::Fixture f;
    auto& m = f.m();
    m.DayItem[0][1][2] = "01012#";
    m.DayItem[0][1][0] = "01010元旦";
    m.DayItem[0][0][0] = "01000メモ\r\n二行目 ～①髙﨑ｶﾅ";
    m.DayItem[0][2][0] = "01030"; // a key alone is no entry
    m.DayItem[11][31][1] = "12311誰か'72";
    m.PubLine[1][29] = "say \"hi\"";
    m.PrivLine[0][0] = "私";
    ASSERT_TRUE(PCwrite(m, " 2024 "));
    const QByteArray first = f.bytes("HB2024.hbd");
    const QStringList list = records(first);
    ASSERT_EQ(list.size(), 749);
    EXPECT_EQ(list.mid(0, 5),
              QStringList({"01000メモ\r\n二行目 ～①髙﨑ｶﾅ", "01010元旦", "01012#", "12311誰か'72", "TTTTT"}));
    EXPECT_EQ(list[6], "T3Priv0101私");
    EXPECT_EQ(list[5 + 2 * 31 + 2 * 29], "T2PubL0230say ”hi”");

    m.DayItem = {};
    m.PubLine = {};
    m.PrivLine = {};
    YearLoad(m, "2024");
    EXPECT_EQ(m.DayItem[0][0][0], "01000メモ\r\n二行目 ～①髙﨑ｶﾅ");
    ASSERT_TRUE(PCwrite(m, "2024"));
    EXPECT_EQ(f.bytes("HB2024.hbd"), first);
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(YearFile, AFailedWriteShowsItsMessageAndLeavesTheOldFile) {
    test::Fixture f;
    ASSERT_TRUE(QDir(f.dir.path()).mkdir("HB2023.hbd"));
    EXPECT_FALSE(PCwrite(f.m(), "2023"));
    f.writeBytes("HB2024.hbd", "old");
    {
        test::FileSizeLimit limit(1000); // the year file is about 12 KB: the write fails half-way
        EXPECT_FALSE(PCwrite(f.m(), "2024"));
    }
    EXPECT_EQ(f.bytes("HB2024.hbd"), QByteArray("old"));
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files), QStringList{"HB2024.hbd"});
    ASSERT_EQ(f.ui.messages.size(), 2u);
    for (const auto& message : f.ui.messages) {
        EXPECT_EQ(message.text, "カレンダーデータファイル作成失敗！");
        EXPECT_EQ(message.title, AppTitle);
    }
}

} // namespace
} // namespace hibimo
