#include "calendar/YearLoading.h"

#include "calendar/Cp932.h"
#include "calendar/YearFile.h"
#include "generation/ListFiles.h"
#include "tests/TestSupport.h"
#include "tests/calendar/FileSizeLimit.h"

#include <QDir>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

// The 744 line records, each with its marker and date.
QString lineRecords(int count = 744) {
    QString text;
    for (int i = 0; i < count; ++i) {
        const int month = i / 62 + 1, day = i % 62 / 2 + 1;
        text += QStringLiteral("\"%1%2%3\"\r\n")
                    .arg(i % 2 ? "T3Priv" : "T2PubL")
                    .arg(month, 2, 10, QLatin1Char('0'))
                    .arg(day, 2, 10, QLatin1Char('0'));
    }
    return text;
}

QString damagedMessage(const QString& yyyy, int record) {
    return QString::fromUtf8("カレンダーファイル HB") + yyyy + QString::fromUtf8(".hbd の  ") +
           QString::number(record) + QString::fromUtf8("行目に異常があるようです。確認下さい。");
}

struct DamagedCase {
    const char* name;
    QString content;
    int record;
};

class DamagedYearFile : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedYearFile, NamesTheRecordAndEndsTheProgramWithoutWriting) {
    test::Fixture f;
    f.writeText("HB2024.hbd", GetParam().content);
    const QByteArray before = f.bytes("HB2024.hbd");
    EXPECT_THROW(YearLoad(f.m(), "2024"), ProgramEnded);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, damagedMessage("2024", GetParam().record));
    EXPECT_EQ(f.ui.messages[0].title, QString::fromUtf8("2024カレンダーファイル異常！"));
    EXPECT_EQ(f.ui.calls, QStringList({"message", "end"}));
    EXPECT_EQ(f.bytes("HB2024.hbd"), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedYearFile,
    testing::Values(DamagedCase{"EmptyFile", "", 1}, DamagedCase{"OnlyTheMarker", "\"TTTTT\"\r\n", 2},
                    DamagedCase{"EndsBeforeTheLastLineRecord", "\"TTTTT\"\r\n" + lineRecords(743), 745},
                    DamagedCase{"EndsInsideTheEntries", "\"01010a\"\r\n", 2},
                    DamagedCase{"MonthZero", "\"01010a\"\r\n\"00010b\"\r\n\"TTTTT\"\r\n" + lineRecords(), 2},
                    DamagedCase{"MonthThirteen", "\"13010b\"\r\n\"TTTTT\"\r\n" + lineRecords(), 1},
                    DamagedCase{"DayThirtyTwo", "\"01320b\"\r\n\"TTTTT\"\r\n" + lineRecords(), 1},
                    DamagedCase{"KindThree", "\"01013b\"\r\n\"TTTTT\"\r\n" + lineRecords(), 1},
                    DamagedCase{"KeyNotANumber", "\"ab010b\"\r\n\"TTTTT\"\r\n" + lineRecords(), 1},
                    DamagedCase{"UnterminatedQuote", "\"TTTTT\"\r\n\"T2PubL0101", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(YearLoad, AFileThatCannotBeDecodedIsDamagedNotMissing) {
    test::Fixture f;
    f.writeBytes("HB2024.hbd", "\"\x81\"\r\n");
    EXPECT_THROW(YearLoad(f.m(), "2024"), ProgramEnded);
    EXPECT_EQ(f.ui.messageTexts(), QStringList{damagedMessage("2024", 1)});
    EXPECT_EQ(f.bytes("HB2024.hbd"), QByteArray("\"\x81\"\r\n"));
}

TEST(YearLoad, ReadsEntriesByTheirKeysAndIgnoresRecordsAfterTheLines) {
    test::Fixture f;
    QString lines = lineRecords();
    lines.replace("\"T2PubL0102\"", QString::fromUtf8("\"T2PubL0102公\""));
    f.writeText("HB2024.hbd",
                QString::fromUtf8("\"12311大晦日\"\r\n  \"01012#\" x\r\n\"01012#休\"\r\n\"TTTTT\"\r\n") +
                    lines + "\"extra\"\r\n");
    f.m().DayItem[5][5][0] = "stale";
    YearLoad(f.m(), "2024");
    EXPECT_EQ(f.m().DayItem[11][31][1], QString::fromUtf8("12311大晦日"));
    EXPECT_EQ(f.m().DayItem[0][1][2], QString::fromUtf8("01012#休")); // the later record wins
    EXPECT_TRUE(f.m().DayItem[5][5][0].isEmpty());
    EXPECT_EQ(f.m().PubLine[0][1], QString::fromUtf8("公"));
    EXPECT_TRUE(f.ui.calls.isEmpty());
}

TEST(YearLoad, AMissingYearIsCreatedWithEmptyLinesAndShownAgain) {
    test::Fixture f;
    f.writeList(HolyFileName, QString::fromUtf8("**01/01元旦"));
    f.writeList(BirthFileName, QString::fromUtf8("*1972/01/25花子"));
    int redisplays = 0;
    f.ui.setRedisplay([&] { ++redisplays; });
    f.m().LoadedYear = "2024";
    f.m().PubLine[0][0] = "old year";
    f.m().DayItem[0][0][0] = "01000old memo";
    YearLoad(f.m(), "2024");
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text,
              QString::fromUtf8("カレンダーファイル 2024年分は未作成なので作成します。"));
    EXPECT_EQ(f.ui.messages[0].title, QString::fromUtf8("2024年分作成"));
    EXPECT_EQ(redisplays, 1);
    EXPECT_TRUE(f.m().PubLine[0][0].isEmpty());
    EXPECT_TRUE(f.m().DayItem[0][0][0].isEmpty());
    EXPECT_EQ(f.m().DayItem[0][1][0], QString::fromUtf8("01010元旦"));
    EXPECT_EQ(f.m().LoadedYear, "2024");
    EXPECT_FALSE(f.bytes("HB2024.hbd").isEmpty());
}

// A neighbour year file with entries and line texts in January and December.
void writeNeighbour(test::Fixture& f, const QString& yyyy) {
    QString lines = lineRecords();
    lines.replace("\"T2PubL0103\"", QString::fromUtf8("\"T2PubL0103一月公\""));
    lines.replace("\"T3Priv0103\"", QString::fromUtf8("\"T3Priv0103一月私\""));
    lines.replace("\"T2PubL1224\"", QString::fromUtf8("\"T2PubL1224聖夜\""));
    f.writeText("HB" + yyyy + ".hbd", QString::fromUtf8("\"01010元旦\"\r\n\"01012#\"\r\n\"06010六月\"\r\n"
                                                        "\"12000師走\"\r\n\"12251聖誕\"\r\n\"TTTTT\"\r\n") +
                                          lines);
}

TEST(NbMonthLoad, LoadsJanuaryBesideDecemberAndDecemberBesideJanuary) {
    test::Fixture f;
    writeNeighbour(f, "2025");
    f.m().NewMonthText = "12";
    f.m().NbDayItem[5][0] = "stale";
    NbMonthLoad(f.m(), " 2025");
    EXPECT_EQ(f.m().NbDayItem[1][0], QString::fromUtf8("01010元旦"));
    EXPECT_EQ(f.m().NbDayItem[1][2], "01012#");
    EXPECT_TRUE(f.m().NbDayItem[5][0].isEmpty());
    EXPECT_EQ(f.m().NbPubLine[2], QString::fromUtf8("一月公"));
    EXPECT_EQ(f.m().NbPrivLine[2], QString::fromUtf8("一月私"));

    f.m().NewMonthText = "01";
    NbMonthLoad(f.m(), " 2025");
    EXPECT_EQ(f.m().NbDayItem[0][0], QString::fromUtf8("12000師走"));
    EXPECT_EQ(f.m().NbDayItem[25][1], QString::fromUtf8("12251聖誕"));
    EXPECT_TRUE(f.m().NbDayItem[1][0].isEmpty());
    EXPECT_EQ(f.m().NbPubLine[23], QString::fromUtf8("聖夜"));
    EXPECT_TRUE(f.ui.calls.isEmpty());
}

TEST(NbMonthLoad, CreatesTheMissingNeighbourWithoutTouchingTheLoadedYear) {
    test::Fixture f;
    f.writeList(HolyFileName, QString::fromUtf8("**01/01元旦"));
    f.writeList(BirthFileName, QString::fromUtf8("*1972/01/25花子"));
    auto& m = f.m();
    m.LoadedYear = "2024";
    m.NewMonthText = "12";
    m.DayItem[11][0][0] = QString::fromUtf8("12000十二月のメモ");
    m.DayItem[0][5][2] = QString::fromUtf8("01062 印");
    m.PubLine[0][0] = QString::fromUtf8("公の行");
    m.PrivLine[0][0] = QString::fromUtf8("私の行");
    m.HolyText = "kept";
    const CalendarState before = m;
    int redisplays = 0;
    f.ui.setRedisplay([&] {
        ++redisplays;
        NbMonthLoad(m, " 2025"); // the display loads the neighbour again from the new file
    });
    NbMonthLoad(m, " 2025");

    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text,
              QString::fromUtf8("カレンダーファイル 2025年分は未作成なので作成いたします。"));
    EXPECT_EQ(f.ui.messages[0].title, QString::fromUtf8(" 2025年分作成(12_1)"));
    EXPECT_EQ(redisplays, 1);
    EXPECT_EQ(m.DayItem, before.DayItem);
    EXPECT_EQ(m.PubLine, before.PubLine);
    EXPECT_EQ(m.PrivLine, before.PrivLine);
    EXPECT_EQ(m.LoadedYear, "2024");
    EXPECT_EQ(m.NbDayItem[1][0], QString::fromUtf8("01010元旦"));
    EXPECT_EQ(m.NbDayItem[25][1], QString::fromUtf8("01251花子'72"));

    const QString written = decodeCp932(f.bytes("HB2025.hbd")).value();
    for (const char* userText : {"十二月のメモ", "印", "公の行", "私の行", "2024"})
        EXPECT_FALSE(written.contains(QString::fromUtf8(userText))) << userText;
    EXPECT_TRUE(f.bytes("HB2024.hbd").isEmpty());
}

TEST(NbMonthLoad, ADamagedNeighbourIsLeftAloneAndReadAsFarAsItGoes) {
    test::Fixture f;
    f.writeText("HB2025.hbd", QString::fromUtf8("\"01010元旦\"\r\n\"01320x\"\r\n\"01030三日\"\r\n"));
    const QByteArray before = f.bytes("HB2025.hbd");
    f.m().NewMonthText = "12";
    NbMonthLoad(f.m(), " 2025");
    EXPECT_EQ(f.m().NbDayItem[1][0], QString::fromUtf8("01010元旦"));
    EXPECT_TRUE(f.m().NbDayItem[3][0].isEmpty());
    EXPECT_TRUE(f.ui.calls.isEmpty());
    EXPECT_EQ(f.bytes("HB2025.hbd"), before);

    f.writeBytes("HB2023.hbd", "\x81");
    f.m().NewMonthText = "1";
    NbMonthLoad(f.m(), " 2023");
    EXPECT_TRUE(f.ui.calls.isEmpty());
    EXPECT_EQ(f.bytes("HB2023.hbd"), QByteArray("\x81"));
}

TEST(NbMonthLoad, AFailedCreationDoesNotAskForTheDisplayAgain) {
    test::Fixture f;
    int redisplays = 0;
    f.ui.setRedisplay([&] { ++redisplays; });
    f.m().NewMonthText = "12";
    {
        test::FileSizeLimit limit(1000);
        NbMonthLoad(f.m(), " 2025");
    }
    EXPECT_FALSE(QFile::exists(f.path("HB2025.hbd")));
    EXPECT_EQ(redisplays, 0);
    EXPECT_EQ(f.ui.messageTexts().last(), QString::fromUtf8("カレンダーデータファイル作成失敗！"));
}

} // namespace
} // namespace hibimo
