#include "generation/YearGeneration.h"

#include "generation/ListCheck.h"
#include "generation/ListFiles.h"
#include "tests/generation/GenerationSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

using test::utf8List;

struct GoldenYear {
    const char* name;
    const char* holidays;
    const char* anniversaries;
    const char* year;
    std::vector<const char*> entries; // the file's day entries, in file order
};

class GeneratedYear : public testing::TestWithParam<GoldenYear> {};

TEST_P(GeneratedYear, WritesExactlyTheExpectedEntries) {
    test::Fixture f;
    f.writeList(HolyFileName, QString::fromUtf8(GetParam().holidays));
    f.writeList(BirthFileName, QString::fromUtf8(GetParam().anniversaries));
    YearMake(f.m(), GetParam().year);
    QStringList expected;
    for (const char* entry : GetParam().entries)
        expected << QString::fromUtf8(entry);
    EXPECT_EQ(test::fileEntries(f.bytes(QStringLiteral("HB%1.hbd").arg(GetParam().year))), expected);
    EXPECT_EQ(f.m().LoadedYear, GetParam().year);
    EXPECT_TRUE(f.ui.calls.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, GeneratedYear,
    testing::Values(GoldenYear{"NewYearOnASundayMovesItsFlagToTheSecond",
                               "**01/01元旦\r\n*01/02初夢",
                               "*2000/03/03x",
                               "2023",
                               {"01010元旦", "01020初夢 前日の振休", "01022#", "03031x'00"}},
                    GoldenYear{"SundayAtMonthEndMovesToTheFirstOfTheNextMonth",
                               "**04/30月末\r\n*05/01メーデー",
                               "*2000/03/03x",
                               "2023",
                               {"03031x'00", "04300月末", "05010メーデー 前日の振休", "05012#"}},
                    GoldenYear{"SecondMondayOfJanuary2022",
                               "**01w2月成人の日",
                               "*2000/03/03x",
                               "2022",
                               {"01100成人の日", "01102#", "03031x'00"}},
                    GoldenYear{"SecondMondayOfJanuary2024",
                               "**01w2月成人の日",
                               "*2000/03/03x",
                               "2024",
                               {"01080成人の日", "01082#", "03031x'00"}},
                    GoldenYear{"TwoPlainRulesThenARedOneOnOneDay",
                               "*03/03雛祭\r\n*03/03耳の日\r\n**03/03赤",
                               "*2000/03/04x",
                               "2025",
                               {"03030:赤\r\n・:雛祭\r\n・耳の日", "03032#", "03041x'00"}},
                    GoldenYear{"ThreePlainNamesGetTwoColons",
                               "*06/01a\r\n*06/01b\r\n*06/01c",
                               "*2000/03/04x",
                               "2025",
                               {"03041x'00", "06010::a\r\n・b\r\n・c"}},
                    GoldenYear{
                        "AnniversariesWithOpenYearAndOnTheSameDay",
                        "*03/01x",
                        "誕生日など\r\n*?\?\?\?/05/25花子\r\n*1972/05/25太郎 S47\r\nメモ行\r\n*1999/12/31末",
                        "2025",
                        {"03010x", "05251:花子'??\r\n・太郎 S47'72", "12311末'99"}},
                    GoldenYear{"WeekdayKeepsItsValueAndCommentsAreIgnored",
                               "祝日\r\n*05w2日母の日\r\n08/08立秋\r\n*06w3x父の日",
                               "*2000/03/03x",
                               "2024",
                               {"03031x'00", "05120母の日", "06160父の日"}},
                    GoldenYear{"StarInsideANameStartsAnotherEntry",
                               "*07/07七夕*07/08次",
                               "*2000/03/03x",
                               "2024",
                               {"03031x'00", "07070七夕*07/08次", "07080次"}},
                    GoldenYear{"NumbersAreReadFromTheirLeadingDigits",
                               "* 1/05元旦\r\n*02/3 節",
                               "*2000/ 3/7 x",
                               "2024",
                               {"01050元旦", "02030節", "03071x'00"}},
                    GoldenYear{"ADateThatDoesNotExistIsStoredAtItsSlot",
                               "**02/30無い日\r\n*02w5土五週目",
                               "*2000/02/31x",
                               "2025",
                               {"02290五週目", "02300無い日", "02302#", "02311x'00"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Rules that generate nothing, where a literal reading would write into the memo slot, out of
// bounds or into the wrong year.
TEST(YearMake, RulesWithoutADayGenerateNothing) {
    test::Fixture f;
    auto& m = f.m();
    m.DayItem[0][0][0] = QString::fromUtf8("01000一月のメモ");
    f.writeList(HolyFileName,
                QString::fromUtf8("**01/00零日\r\n*02w5月第五月曜\r\n*03w0日第零週\r\n*04w9土"));
    f.writeList(BirthFileName, QString::fromUtf8("*1990/01/00零日"));
    YearMake(m, "2024");
    EXPECT_EQ(test::fileEntries(f.bytes("HB2024.hbd")), utf8List({"01000一月のメモ"}));
    EXPECT_TRUE(f.ui.calls.isEmpty());
}

TEST(YearMake, ASubstituteGoesToTheFirstDayThatIsNotRedItself) {
    test::Fixture f;
    f.writeList(HolyFileName,
                QString::fromUtf8("**05/03憲法記念日\r\n**05/04みどりの日\r\n**05/05こどもの日"));
    f.writeList(BirthFileName, "*2000/03/03x");
    YearMake(f.m(), "2026");
    EXPECT_EQ(test::fileEntries(f.bytes("HB2026.hbd")),
              utf8List({"03031x'00", "05030憲法記念日", "05040みどりの日", "05042#", "05050こどもの日",
                        "05052#", "05060 前日の振休", "05062#"}));
}

TEST(YearMake, ASubstitutePastTheEndOfTheYearIsDropped) {
    test::Fixture f;
    f.writeList(HolyFileName, QString::fromUtf8("**12/31大晦日\r\n*01/01元日"));
    f.writeList(BirthFileName, "*2000/03/03x");
    YearMake(f.m(), "2023");
    EXPECT_EQ(test::fileEntries(f.bytes("HB2023.hbd")),
              utf8List({"01010元日", "03031x'00", "12310大晦日", "12312#"}));
}

TEST(YearMake, RegeneratingKeepsMarksMemosAndLinesAndClearsOldFlags) {
    test::Fixture f;
    auto& m = f.m();
    m.DayItem[0][1][0] = QString::fromUtf8("01010古い祝日");
    m.DayItem[0][1][1] = QString::fromUtf8("01011古い記念日'99");
    m.DayItem[0][1][2] = QString::fromUtf8("01012#休");
    m.DayItem[0][5][2] = "01052#";
    m.DayItem[0][7][2] = QString::fromUtf8("01072 旅");
    m.DayItem[1][0][0] = QString::fromUtf8("02000二月");
    m.PubLine[2][2] = QString::fromUtf8("公");
    m.PrivLine[2][2] = QString::fromUtf8("私");
    f.writeList(HolyFileName, QString::fromUtf8("**01/07七草"));
    f.writeList(BirthFileName, "*2000/03/03x");
    YearMake(m, "2025");
    EXPECT_EQ(test::fileEntries(f.bytes("HB2025.hbd")),
              utf8List({"01012 休", "01070七草", "01072#旅", "02000二月", "03031x'00"}));
    EXPECT_EQ(m.PubLine[2][2], QString::fromUtf8("公"));
    EXPECT_EQ(m.PrivLine[2][2], QString::fromUtf8("私"));
}

const QString GenerationFailed2024 = QString::fromUtf8(
    "カレンダーの作成に失敗しまた。HB2024.hbd "
    "の内容に誤りがある可能性があります。一旦 "
    "このファイルを消去して再立ち上げを実施願います。それでもエラーが出る場合は 祝祭日など(HBHolyD.dat) or "
    "誕生日など(HBBirth.dat) "
    "の記載様式に誤りがある可能性があります。再インストールしてみて下さい。再インストールするとオリジナルの正"
    "しい "
    "HBHolyD.dat、HBBirth."
    "datファイルで上書きされます。なお、各ファイルはいずれもテキストファイルです。これらのファイル"
    "の不正部分がわかれ､再インストールするまでもなく､その部分を修正することも可能です｡");

struct FaultyList {
    const char* name;
    const char* holidays;
    const char* anniversaries;
};

class FaultyLists : public testing::TestWithParam<FaultyList> {};

TEST_P(FaultyLists, ShowTheMessageAndEndTheProgramWithNothingWritten) {
    test::Fixture f;
    f.writeList(HolyFileName, QString::fromUtf8(GetParam().holidays));
    f.writeList(BirthFileName, QString::fromUtf8(GetParam().anniversaries));
    f.writeBytes("HB2024.hbd", "old");
    f.m().LoadedYear = "2023";
    EXPECT_THROW(YearMake(f.m(), "2024"), ProgramEnded);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, GenerationFailed2024);
    EXPECT_EQ(f.ui.messages[0].title, AppTitle);
    EXPECT_EQ(f.ui.calls, QStringList({"message", "end"}));
    EXPECT_EQ(f.bytes("HB2024.hbd"), QByteArray("old"));
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files).size(), 3);
    EXPECT_EQ(f.m().LoadedYear, "2023");
}

INSTANTIATE_TEST_SUITE_P(Cases, FaultyLists,
                         testing::Values(FaultyList{"HolidaysWithoutAnyStar", "元旦", "*2000/03/03x"},
                                         FaultyList{"EmptyHolidayRecord", "", "*2000/03/03x"},
                                         FaultyList{"MonthZero", "*00/01x", "*2000/03/03x"},
                                         FaultyList{"MonthThirteen", "*01/01ok\r\n*13/01x", "*2000/03/03x"},
                                         FaultyList{"DayThirtyTwo", "*01/32x", "*2000/03/03x"},
                                         FaultyList{"ThreeStars", "***01/01x", "*2000/03/03x"},
                                         FaultyList{"WeekdayRuleInMonthThirteen", "*13w1月x", "*2000/03/03x"},
                                         FaultyList{"AnniversaryMonthThirteen", "*01/01x", "*2000/13/03x"},
                                         FaultyList{"AnniversaryDayThirtyTwo", "*01/01x", "*2000/03/32x"},
                                         FaultyList{"AnniversaryWithTwoStars", "*01/01x", "**2000/03/03x"},
                                         FaultyList{"AnniversariesWithoutAStar", "*01/01x", "誕生日"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(YearMake, AYearOutsideTheCalendarFails) {
    test::Fixture f;
    f.writeList(HolyFileName, "*01/01x");
    f.writeList(BirthFileName, "*2000/03/03x");
    EXPECT_THROW(YearMake(f.m(), "0"), ProgramEnded);
    EXPECT_FALSE(QFile::exists(f.path("HB0.hbd")));
}

TEST(YearMake, MissingListsFallBackToTheBuiltInOnes) {
    test::Fixture f;
    YearMake(f.m(), "2024");
    EXPECT_EQ(test::fileEntries(f.bytes("HB2024.hbd")),
              utf8List({"01010元旦", "01012#", "01251花子誕生日S47'72"}));
    ASSERT_EQ(f.ui.messages.size(), 2u);
    EXPECT_EQ(
        f.ui.messages[0].text,
        QString::fromUtf8("祝祭日などのファイルHBHolyD.datが見つからないか/"
                          "読み込めませんでした。とりあえず、元旦のみを設定して立ち上げます。立ち上がり後 "
                          "カレンダー画面左下の[国]をクリックすると、デフォルトの 祝祭日など "
                          "登録画面が立ち上がります。内容を確認して必要なら修正/追加を行い "
                          "一旦閉じ、カレンダー画面左下の[反映]を実行下さい。"));
    EXPECT_EQ(
        f.ui.messages[1].text,
        QString::fromUtf8("誕生日などのファイルHBBirth.datが見つからないか/"
                          "読み込めませんでした。仮に、1/25を花子の誕生日として立ち上げます。立ち上がり後 "
                          "カレンダー画面左下の[個]をクリックすると、デフォルトの 誕生日など "
                          "登録画面が立ち上がります。デフォルトの内容にならって修正/追加を行い 一旦閉じ、 "
                          "カレンダー画面左下の[反映]を実行下さい。"));
    EXPECT_EQ(f.ui.messages[0].title, AppTitle);
    EXPECT_EQ(f.ui.messages[1].title, AppTitle);
    EXPECT_FALSE(QFile::exists(f.path(HolyFileName)));
    EXPECT_FALSE(QFile::exists(f.path(BirthFileName)));
}

TEST(ListLoading, EmptyOrUndecodableFilesFallBackAndUnquotedOnesGiveTheirFirstLine) {
    test::Fixture f;
    f.writeBytes(HolyFileName, "");
    f.writeBytes(BirthFileName, "\"\x81\"\r\n");
    HolyLoad(f.m());
    BirthLoad(f.m());
    EXPECT_EQ(f.m().HolyText, QString::fromUtf8("**01/01元旦"));
    EXPECT_EQ(f.m().BirthText, QString::fromUtf8("誕生日､記念日など,*1972/01/25花子誕生日S47"));
    EXPECT_EQ(f.ui.messages.size(), 2u);

    f.writeText(HolyFileName, QString::fromUtf8("**01/01元旦,x\r\n*01/02初夢\r\n"));
    f.writeList(BirthFileName, QString::fromUtf8("*1972/01/25a,b"));
    HolyLoad(f.m());
    BirthLoad(f.m());
    EXPECT_EQ(f.m().HolyText, QString::fromUtf8("**01/01元旦"));
    EXPECT_EQ(f.m().BirthText, QString::fromUtf8("*1972/01/25a,b"));
    EXPECT_EQ(f.ui.messages.size(), 2u);
}

// The lists delivered with the program.
QString dataFile(const QString& name) {
    return QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../../data/") + name);
}

class DeliveredLists : public testing::Test {
  protected:
    void SetUp() override {
        for (const QString& name : {HolyFileName, BirthFileName})
            ASSERT_TRUE(QFile::copy(dataFile(name), f.path(name)));
    }
    QStringList redDays(const QString& year) {
        YearMake(f.m(), year);
        QStringList red;
        for (const QString& entry : test::fileEntries(f.bytes("HB" + year + ".hbd")))
            if (entry.mid(4, 2) == QLatin1String("2#"))
                red << entry.left(4);
        return red;
    }
    test::Fixture f;
};

TEST_F(DeliveredLists, PassTheEditorsChecks) {
    EXPECT_TRUE(checkHolidayList(readListFile(f.path(HolyFileName)).value().trimmed()).ok);
    EXPECT_TRUE(checkAnniversaryList(readListFile(f.path(BirthFileName)).value().trimmed()).ok);
    EXPECT_TRUE(f.bytes(HolyFileName).startsWith("\"") && f.bytes(HolyFileName).endsWith("\"\r\n"));
    EXPECT_TRUE(f.bytes(BirthFileName).endsWith("\"\r\n"));
}

TEST_F(DeliveredLists, GiveTheHolidaysOf2026) {
    // 3 May is a Sunday: its substitute passes the two holidays that follow it.
    EXPECT_EQ(redDays("2026"), QStringList({"0101", "0112", "0211", "0223", "0320", "0429", "0504", "0505",
                                            "0506", "0720", "0811", "0921", "0923", "1012", "1103", "1123"}));
    EXPECT_TRUE(f.ui.calls.isEmpty());
    const QStringList entries = test::fileEntries(f.bytes("HB2026.hbd"));
    EXPECT_TRUE(entries.contains(QString::fromUtf8("05060 前日の振休")));
    EXPECT_TRUE(entries.contains(QString::fromUtf8("07200海の日")));
}

TEST_F(DeliveredLists, GiveTheMovingHolidaysOf2027) {
    const QStringList red = redDays("2027");
    for (const char* day : {"0111", "0719", "0920", "1011"})
        EXPECT_TRUE(red.contains(day)) << day;
    // 2 May 2027 is no holiday; 23 February 2027 is a Tuesday.
    EXPECT_TRUE(red.contains("0223"));
    EXPECT_FALSE(red.contains("0506"));
}

} // namespace
} // namespace hibimo
