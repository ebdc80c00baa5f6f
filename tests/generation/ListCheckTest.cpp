#include "generation/ListCheck.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

enum Kind { Holiday, Anniversary };

struct CheckRow {
    const char* name;
    Kind kind;
    QString text;
    int entry = 0;        // 0: passes; -1: excerpt holds the characters that cannot be stored
    QString excerpt = {}; // quoted in the message
};

const CheckRow checkRows[] = {
    {"month 13 in the second entry", Holiday, "**01/01元旦\r\n*13/01十三月", 2, "*13/01十三月"},
    {"month 00", Holiday, "*00/10零月", 1, "*00/10零月"},
    {"full-width digit", Holiday, "*０1/01", 1, "*０1/01"},
    {"day 32", Holiday, "*01/32", 1, "*01/32"},
    {"day 00 and day 31 accepted", Holiday, "*01/00零日\r\n*12/31大晦日"},
    {"body shorter than five characters", Holiday, "*01/1", 1, "*01/1"},
    {"week 6", Holiday, "*01w6月", 1, "*01w6月"},
    {"week 0", Holiday, "*01w0月", 1, "*01w0月"},
    {"not a weekday character", Holiday, "**05w2曜母の日", 1, "**05w2曜母の日"},
    {"upper-case W and every weekday", Holiday,
     "*05W2日a\r\n*01w1月\r\n*01w2火\r\n*01w3水\r\n*01w4木\r\n*01w5金\r\n*02w1土"},
    {"neither slash nor w", Holiday, "*01-01", 1, "*01-01"},
    {"three stars", Holiday, "**01/01元旦\r\n***02/11建国記念日", 2, "***02/11建国記念日"},
    {"star inside a name starts the next entry", Holiday, "*01/01元旦*メモ", 2, "*メモ"},
    {"star inside a memo line", Holiday, "**01/01元旦\r\nメモ*です\r\n*02/03節分", 2, "*です"},
    {"red entry right after a name", Holiday, "**01/01元旦**02/11建国"},
    {"no star at all", Holiday, "01/01元旦", 1, {}},
    {"blanks only", Holiday, "  \r\n ", 1, {}},
    {"blanks and line breaks around the text", Holiday, " \r\n**01/01元旦\r\n  "},
    {"entries counted, not lines", Holiday, "**01/01元旦\r\nメモ\r\n\r\n*02/03節分\r\n*02/29\r\n*02/3x", 4,
     "*02/3x"},
    {"30 February", Holiday, "*02/29閏日\r\n*02/30x", 2, "*02/30x"},
    {"31 February", Holiday, "*02/31x", 1, "*02/31x"},
    {"31 April", Holiday, "**04/31x", 1, "**04/31x"},
    {"31 September", Holiday, "*1990-2000 09/31x", 1, "*1990-2000 09/31x"},
    {"excerpt cut at 20 characters", Holiday, "**13/01あいうえおかきくけこさしすせそたちつてと", 1,
     "**13/01あいうえおかきくけこさしす"},
    {"every newer form", Holiday,
     "**1996-2002 07/20海の日\r\n**2022-?\?\?\? 07w3月海の日\r\n**?\?\?\?-1988 04/29x\r\n"
     "**2003-2019　09w3月敬老の日\r\n**?\?\?\?-?\?\?\? 01/01y\r\n**2019/05/01天皇の即位の日\r\n"
     "**2024/02/29閏日\r\n**03/春分春分の日\r\n*09/秋分\r\n**1980-2099 03/春分x\r\n"
     "**1986-?\?\?\? 挟まれた日国民の休日\r\n*挟まれた日"},
    {"days of the sun", Holiday,
     "*立春-001節分\r\n*夏至+000夏至\r\n**2000-?\?\?\? 春分-003彼岸入り\r\n*冬至+999x\r\n*黄経000a\r\n"
     "*黄経359b\r\n*土用丑027c\r\n*土用丑117d\r\n*土用丑207e\r\n*土用丑297f\r\n*啓蟄-000"},
    {"unknown solar term", Holiday, "*立春-001節分\r\n*春至-001x", 2, "*春至-001x"},
    {"solar term without the offset's sign", Holiday, "*立春001節分", 1, "*立春001節分"},
    {"solar term with a full-width sign", Holiday, "*立春＋001", 1, "*立春＋001"},
    {"solar term with a two-digit offset", Holiday, "*立春+01節分", 1, "*立春+01節分"},
    {"longitude of 360 degrees", Holiday, "*黄経360x", 1, "*黄経360x"},
    {"longitude of two digits", Holiday, "*黄経80入梅", 1, "*黄経80入梅"},
    {"土用 at a degree where none begins", Holiday, "*土用丑100x", 1, "*土用丑100x"},
    {"range before a faulty longitude", Holiday, "**1990-1999 黄経3a0x", 1, "**1990-1999 黄経3a0x"},
    {"range ending before it starts", Holiday, "*01/01a\r\n**2002-1996 07/20x", 2, "**2002-1996 07/20x"},
    {"range without its blank", Holiday, "**1996-2002:07/20x", 1, "**1996-2002:07/20x"},
    {"range with two-digit years", Holiday, "**96-02 07/20x", 1, "**96-02 07/20x"},
    {"range year with a letter", Holiday, "**199x-2002 07/20x", 1, "**199x-2002 07/20x"},
    {"range before a faulty day", Holiday, "**1996-2002 07/32x", 1, "**1996-2002 07/32x"},
    {"range before a one-off date", Holiday, "**1990-1999 1995/05/01x", 1, "**1990-1999 1995/05/"},
    {"range before a range", Holiday, "**1990-1999 1991-1992 01/01x", 1, "**1990-1999 1991-199"},
    {"one-off date that does not exist", Holiday, "**2019/02/29x", 1, "**2019/02/29x"},
    {"one-off month 13", Holiday, "**2019/13/01x", 1, "**2019/13/01x"},
    {"one-off single-digit month", Holiday, "**2019/5/01x", 1, "**2019/5/01x"},
    {"one-off year of three digits", Holiday, "**019/05/01x", 1, "**019/05/01x"},
    {"equinox in the other month", Holiday, "**09/春分x", 1, "**09/春分x"},
    {"equinox cut short", Holiday, "**03/春x", 1, "**03/春x"},
    {"citizens' holiday miswritten", Holiday, "**挟まれる日x", 1, "**挟まれる日x"},
    {"characters code page 932 cannot carry", Holiday, "**01/01元旦😀\r\n*01/02𠮷野😀", -1, "😀𠮷"},
    {"years open or any four characters, any second separator, 30 February, day 00", Anniversary,
     "*1972/01/25花子\r\n*?\?\?\?/05/25山田\r\n*S47 /01/25\r\n*1972/01-25\r\n*2000/02/30\r\n*2000/02/00"},
    {"single-digit month", Anniversary, "*1972/01/25a\r\n1995/9/17\r\n*1995/9/17太郎", 2, "*1995/9/17太郎"},
    {"first separator not a slash", Anniversary, "*1972-01/25", 1, "*1972-01/25"},
    {"body shorter than ten characters", Anniversary, "*1972/01/2", 1, "*1972/01/2"},
    {"two stars", Anniversary, "**1972/01/25", 1, "**1972/01/25"},
    {"anniversary star inside a name", Anniversary, "*1972/01/25花子*メモ", 2, "*メモ"},
    {"anniversaries without a star", Anniversary, "1972/01/25花子", 1, {}},
    {"excerpt cut at 25 characters", Anniversary, "*1972/13/25あいうえおかきくけこさしすせそたちつてと", 1,
     "*1972/13/25あいうえおかきくけこさしすせ"},
};

TEST(ListCheck, EveryStarIsCheckedAsGenerationReadsIt) {
    for (const CheckRow& row : checkRows) {
        SCOPED_TRACE(row.name);
        const ListCheckResult r =
            row.kind == Holiday ? checkHolidayList(row.text) : checkAnniversaryList(row.text);
        EXPECT_EQ(std::tuple(r.ok, r.entry, row.entry < 0 ? r.unencodable : r.excerpt),
                  std::tuple(row.entry == 0, std::max(row.entry, 0), row.excerpt));
    }
    EXPECT_EQ(holidayCheckMessage(checkHolidayList("*01/01a\r\n*13/01十三月")),
              " 2 行目か、その数行先の「*13/01十三月」に異常があります。\r\r"
              "とくに 祝祭日(月日or週)の指定が正しく入力されているかチェック願います｡ ");
    EXPECT_EQ(anniversaryCheckMessage(checkAnniversaryList("x")),
              " 1 行目か、その数行先の「」に異常があります。\r\r"
              "とくに 年/月/日 の指定が正しく入力されているかチェック願います｡ ");
    EXPECT_EQ(holidayCheckMessage(checkHolidayList("*01/01😀")),
              "次の文字はファイルに保存できません: 😀\r別の文字に置き換えて下さい。");
    EXPECT_EQ(holidayCheckMessage(checkHolidayList("*01/01")), "");
    EXPECT_EQ(trimListText(" \t\r\n　メモ\r\n*01/01 \r\n"), "　メモ\r\n*01/01"); // full-width blanks stay
}

} // namespace
} // namespace hibimo
