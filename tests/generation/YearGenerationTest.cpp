#include "generation/YearGeneration.h"

#include "generation/GenerationMessages.h"
#include "generation/ListFiles.h"
#include "tests/CoreSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

// The day entries of a year file (the records before its end marker), joined by "|".
QString entries(const test::Fixture& f, const QString& year) {
    const QStringList list = test::records(f.bytes("HB" + year + ".hbd"));
    return list.mid(0, list.indexOf("TTTTT")).join('|');
}

TEST(YearMake, WritesExactlyTheEntriesOfTheListsOrEndsTheProgramWithNothingWritten) {
    // Name, year, holiday and anniversary lists, the entries written (none: the lists are faulty).
    const std::tuple<const char*, const char*, const char*, const char*, const char*> rows[] = {
        {"1 January on a Sunday moves its flag to the 2nd", "2023", "**01/01元旦\r\n*01/02初夢",
         "*2000/03/03x", "01010元旦|01020初夢 前日の振休|01022#|03031x'00"},
        {"30 April on a Sunday moves to 1 May", "2023", "**04/30月末\r\n*05/01メーデー", "*2000/03/03x",
         "03031x'00|04300月末|05010メーデー 前日の振休|05012#"},
        {"second Monday of January 2024", "2024", "**01w2月成人の日", "*2000/03/03x",
         "01080成人の日|01082#|03031x'00"},
        {"two plain rules then a red one on one day", "2025", "*03/03雛祭\r\n*03/03耳の日\r\n**03/03赤",
         "*2000/03/04x", "03030:赤\r\n・:雛祭\r\n・耳の日|03032#|03041x'00"},
        {"open year and two anniversaries on one day", "2025", "*03/01x",
         "誕生日など\r\n*?\?\?\?/05/25花子\r\n*1972/05/25太郎 S47\r\nメモ行\r\n*1999/12/31末",
         "03010x|05251:花子'??\r\n・太郎 S47'72|12311末'99"},
        {"a date that does not exist keeps its slot and is never taken for a Sunday", "2025",
         "**02/30無い日\r\n*02w5土五週目", "*2000/02/31x", "02290五週目|02300無い日|02302#|02311x'00"},
        {"29 February shows on the 28th in a common year", "2027", "*01/01x",
         "*2001/02/28a\r\n*2000/02/29うるう年の人", "01010x|02281:a'01\r\n・うるう年の人'00"},
        {"29 February stays on the 29th in a leap year", "2028", "*01/01x", "*2000/02/29うるう年の人",
         "01010x|02291うるう年の人'00"},
        {"no substitute into 1 January of the next year", "2023", "**12/31大晦日\r\n*01/01元日",
         "*2000/03/03x", "01010元日|03031x'00|12310大晦日|12312#"},
        {"holidays without any star", "2024", "元旦", "*2000/03/03x", nullptr},
        {"empty holiday record", "2024", "", "*2000/03/03x", nullptr},
        {"anniversary month 13", "2024", "*01/01x", "*2000/13/03x", nullptr},
        {"anniversaries without a star", "2024", "*01/01x", "誕生日", nullptr},
        {"year 0", "0", "*01/01x", "*2000/03/03x", nullptr},
    };
    for (const auto& [name, year, holidays, anniversaries, written] : rows) {
        SCOPED_TRACE(name);
        test::Fixture f;
        f.writeLists(holidays, anniversaries);
        const QString file = QString("HB") + year + ".hbd";
        f.writeBytes(file, "old");
        if (written) {
            YearMake(f.m(), year);
            EXPECT_EQ(entries(f, year), written);
            EXPECT_EQ(f.m().LoadedYear, year);
            EXPECT_TRUE(f.ui.calls.isEmpty());
            continue;
        }
        f.m().LoadedYear = "2023";
        EXPECT_THROW(YearMake(f.m(), year), ProgramEnded);
        ASSERT_EQ(f.ui.messageTexts(), QStringList{generationText::failed(year)});
        EXPECT_EQ(f.ui.messages[0].title, AppTitle);
        EXPECT_EQ(f.ui.calls, QStringList({"message", "end"}));
        EXPECT_EQ(f.bytes(file), QByteArray("old"));
        EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files).size(), 3);
        EXPECT_EQ(f.m().LoadedYear, "2023");
    }
}

TEST(YearMake, UnreadableListsFallBackToTheBuiltInOnesWithTheirMessages) {
    test::Fixture f;
    f.writeBytes(BirthFileName, "\"\x81\"\r\n"); // not code page 932; the holiday list is missing
    YearMake(f.m(), "2024");
    EXPECT_EQ(entries(f, "2024"), "01010元旦|01012#|01251花子誕生日S47'72");
    EXPECT_EQ(f.ui.messageTexts(),
              QStringList({generationText::HolidaysMissing, generationText::AnniversariesMissing}));
    EXPECT_EQ(f.ui.messages[1].title, AppTitle);
    EXPECT_FALSE(QFile::exists(f.path(HolyFileName)));
    EXPECT_EQ(f.bytes(BirthFileName), QByteArray("\"\x81\"\r\n"));
}

TEST(YearMake, TextAfterAListsClosingQuoteIsToldAndGeneratesNothing) {
    test::Fixture f;
    f.writeLists();
    f.writeBytes(HolyFileName, test::cp932("\"**01/01元旦\"\r\n**02/24追加した休日\r\n"));
    YearMake(f.m(), "2027");
    EXPECT_EQ(entries(f, "2027"), "01010元旦|01012#|05201花子'72");
    EXPECT_EQ(f.ui.messageTexts(),
              QStringList{"HBHolyD.datの最後の\"より後ろにある次の文字は読み込まれていません。"
                          "\r**02/24追加した休日\r一覧に加えるには、カレンダー画面左下の"
                          "[国]で開いて書き加え、[反映]を実行下さい。"});
}

} // namespace
} // namespace hibimo
