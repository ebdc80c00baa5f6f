#include "calendar/YearLoading.h"

#include "calendar/Cp932.h"
#include "generation/ListFiles.h"
#include "tests/TestSupport.h"
#include "tests/calendar/FileSizeLimit.h"

#include <gtest/gtest.h>

namespace hibimo {
namespace {

// The end marker and the 744 line records; `texts` puts a text after the named ones.
QString tail(int count = 744, const QStringList& texts = {}) {
    QString text = "\"TTTTT\"\r\n";
    for (int i = 0; i < count; ++i) {
        QString record =
            QString::asprintf("%s%02d%02d", i % 2 ? "T3Priv" : "T2PubL", i / 62 + 1, i % 62 / 2 + 1);
        for (const QString& t : texts)
            if (t.startsWith(record))
                record = t;
        text += "\"" + record + "\"\r\n";
    }
    return text;
}

TEST(YearLoad, ADamagedFileNamesTheRecordAndEndsTheProgramWithoutWriting) {
    const struct {
        const char* name;
        QByteArray bytes;
        int record;
    } rows[] = {
        {"empty file", "", 1},
        {"only the marker", "\"TTTTT\"\r\n", 2},
        {"ends before the last line record", encodeCp932(tail(743)), 745},
        {"ends inside the entries", "\"01010a\"\r\n", 2},
        {"month 00", encodeCp932("\"01010a\"\r\n\"00010b\"\r\n" + tail()), 2},
        {"month 13", encodeCp932("\"13010b\"\r\n" + tail()), 1},
        {"day 32", encodeCp932("\"01320b\"\r\n" + tail()), 1},
        {"kind 3", encodeCp932("\"01013b\"\r\n" + tail()), 1},
        {"key not a number", encodeCp932("\"ab010b\"\r\n" + tail()), 1},
        {"unterminated quote", "\"TTTTT\"\r\n\"T2PubL0101", 2},
        {"not code page 932", "\"\x81\"\r\n", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::Fixture f;
        f.writeBytes("HB2024.hbd", row.bytes);
        EXPECT_THROW(YearLoad(f.m(), "2024"), ProgramEnded);
        ASSERT_EQ(f.ui.messages.size(), 1u);
        EXPECT_EQ(f.ui.messages[0].text, "カレンダーファイル HB2024.hbd の  " + QString::number(row.record) +
                                             "行目に異常があるようです。確認下さい。");
        EXPECT_EQ(f.ui.messages[0].title, "2024カレンダーファイル異常！");
        EXPECT_EQ(f.ui.calls, QStringList({"message", "end"}));
        EXPECT_EQ(f.bytes("HB2024.hbd"), row.bytes);
    }
}

TEST(YearLoad, ReadsEntriesByTheirKeysAndIgnoresRecordsAfterTheLines) {
    test::Fixture f;
    f.writeText("HB2024.hbd", "\"12311大晦日\"\r\n  \"01012#\" x\r\n\"01012#休\"\r\n" +
                                  tail(744, {"T2PubL0102公"}) + "\"extra\"\r\n");
    f.m().DayItem[5][5][0] = "stale";
    YearLoad(f.m(), "2024");
    EXPECT_EQ(f.m().DayItem[11][31][1], "12311大晦日");
    EXPECT_EQ(f.m().DayItem[0][1][2], "01012#休"); // the later record wins
    EXPECT_TRUE(f.m().DayItem[5][5][0].isEmpty());
    EXPECT_EQ(f.m().PubLine[0][1], "公");
    EXPECT_TRUE(f.ui.calls.isEmpty());
}

struct Lists : test::Fixture {
    int redisplays = 0;
    Lists() {
        writeList(HolyFileName, "**01/01元旦");
        writeList(BirthFileName, "*1972/01/25花子");
        ui.setRedisplay([this] { ++redisplays; });
    }
};

TEST(YearLoad, AMissingYearIsCreatedFromTheListsAndShownAgain) {
    Lists f;
    f.m().LoadedYear = "2024";
    f.m().PubLine[0][0] = "old year";
    f.m().DayItem[0][0][0] = "01000old memo";
    YearLoad(f.m(), "2024");
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, "カレンダーファイル 2024年分は未作成なので作成します。");
    EXPECT_EQ(f.ui.messages[0].title, "2024年分作成");
    EXPECT_EQ(f.redisplays, 1);
    EXPECT_TRUE(f.m().PubLine[0][0].isEmpty());
    EXPECT_TRUE(f.m().DayItem[0][0][0].isEmpty());
    EXPECT_EQ(f.m().DayItem[0][1][0], "01010元旦");
    EXPECT_FALSE(f.bytes("HB2024.hbd").isEmpty());
}

TEST(NbMonthLoad, LoadsJanuaryBesideDecemberAndDecemberBesideJanuary) {
    test::Fixture f;
    f.writeText("HB2025.hbd", "\"01010元旦\"\r\n\"06010六月\"\r\n\"12000師走\"\r\n\"12251聖誕\"\r\n" +
                                  tail(744, {"T2PubL0103一月公", "T3Priv0103一月私", "T2PubL1224聖夜"}));
    f.m().NewMonthText = "12";
    f.m().NbDayItem[5][0] = "stale";
    NbMonthLoad(f.m(), " 2025");
    EXPECT_EQ(f.m().NbDayItem[1][0], "01010元旦");
    EXPECT_TRUE(f.m().NbDayItem[5][0].isEmpty());
    EXPECT_EQ(f.m().NbPubLine[2], "一月公");
    EXPECT_EQ(f.m().NbPrivLine[2], "一月私");

    f.m().NewMonthText = "01";
    NbMonthLoad(f.m(), " 2025");
    EXPECT_EQ(f.m().NbDayItem[0][0], "12000師走");
    EXPECT_EQ(f.m().NbDayItem[25][1], "12251聖誕");
    EXPECT_TRUE(f.m().NbDayItem[1][0].isEmpty());
    EXPECT_EQ(f.m().NbPubLine[23], "聖夜");

    // A damaged neighbour is read as far as it goes and left alone.
    f.writeText("HB2025.hbd", "\"01010元旦\"\r\n\"01320x\"\r\n\"01030三日\"\r\n");
    f.m().NewMonthText = "12";
    NbMonthLoad(f.m(), " 2025");
    EXPECT_EQ(f.m().NbDayItem[1][0], "01010元旦");
    EXPECT_TRUE(f.m().NbDayItem[3][0].isEmpty());
    EXPECT_TRUE(f.ui.calls.isEmpty());
    EXPECT_EQ(f.bytes("HB2025.hbd"), encodeCp932("\"01010元旦\"\r\n\"01320x\"\r\n\"01030三日\"\r\n"));
}

TEST(NbMonthLoad, CreatesTheMissingNeighbourWithoutTouchingTheLoadedYear) {
    Lists f;
    auto& m = f.m();
    m.LoadedYear = "2024";
    m.NewMonthText = "12";
    m.DayItem[11][0][0] = "12000十二月のメモ";
    m.DayItem[0][5][2] = "01062 印";
    m.PubLine[0][0] = "公の行";
    m.PrivLine[0][0] = "私の行";
    const CalendarState before = m;
    f.ui.setRedisplay([&] {
        ++f.redisplays;
        NbMonthLoad(m, " 2025"); // the display loads the neighbour again from the new file
    });
    NbMonthLoad(m, " 2025");

    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, "カレンダーファイル 2025年分は未作成なので作成いたします。");
    EXPECT_EQ(f.ui.messages[0].title, " 2025年分作成(12_1)");
    EXPECT_EQ(f.redisplays, 1);
    EXPECT_EQ(m.DayItem, before.DayItem);
    EXPECT_EQ(m.PubLine, before.PubLine);
    EXPECT_EQ(m.PrivLine, before.PrivLine);
    EXPECT_EQ(m.LoadedYear, "2024");
    EXPECT_EQ(m.NbDayItem[25][1], "01251花子'72");
    const QString written = decodeCp932(f.bytes("HB2025.hbd")).value();
    for (const char* userText : {"十二月のメモ", "印", "公の行", "私の行"})
        EXPECT_FALSE(written.contains(userText)) << userText;
    EXPECT_TRUE(f.bytes("HB2024.hbd").isEmpty());
}

TEST(NbMonthLoad, AFailedCreationDoesNotAskForTheDisplayAgain) {
    Lists f;
    f.m().NewMonthText = "12";
    {
        test::FileSizeLimit limit(1000);
        NbMonthLoad(f.m(), " 2025");
    }
    EXPECT_FALSE(QFile::exists(f.path("HB2025.hbd")));
    EXPECT_EQ(f.redisplays, 0);
    EXPECT_EQ(f.ui.messageTexts().last(), "カレンダーデータファイル作成失敗！");
}

} // namespace
} // namespace hibimo
