#include "calendar/Records.h"
#include "generation/ListCheck.h"
#include "generation/RuleForms.h"
#include "generation/SampleLists.h"
#include "generation/YearGeneration.h"
#include "tests/CoreSupport.h"

#include <QDate>
#include <QMap>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

// Name, year, holiday list, the entries generated (none: the list is refused).
const std::tuple<const char*, int, const char*, const char*> ruleRows[] = {
    {"range: the year before it", 1995, "**1996-2002 07/20海の日", ""},
    {"range: its first year", 1996, "**1996-2002 07/20海の日", "07200海の日|07202#"},
    {"range: its last year", 2002, "**1996-2002 07/20海の日", "07200海の日|07202#"},
    {"range: the year after it", 2003, "**1996-2002 07/20海の日", ""},
    {"range open at the start", 1970, "**?\?\?\?-1988 04/29天皇誕生日", "04290天皇誕生日|04292#"},
    {"range open at the start, after its end", 1989, "**?\?\?\?-1988 04/29天皇誕生日", ""},
    {"range open at the end, weekday rule", 2099, "**2022-?\?\?\? 07w3月海の日", "07200海の日|07202#"},
    {"range with a full-width blank", 2010, "**2003-2019　09w3月敬老の日", "09200敬老の日|09202#"},
    {"range ending before it starts holds in no year", 2000, "**2002-1996 07/20x", ""},
    {"a weekday rule outside its years still passes its weekday on", 2024, "*1990-1990 05w2日母\r\n*06w3x父",
     "06160父"},
    {"a faulty rule fails outside its years too", 2024, "**1990-1990 13/01x", nullptr},
    {"one-off date in its year", 2019, "**2019/05/01天皇の即位の日", "05010天皇の即位の日|05012#"},
    {"one-off date in another year", 2020, "**2019/05/01天皇の即位の日", ""},
    {"one-off date put in front of a plain rule", 2019, "*05/01メーデー\r\n**2019/05/01即位",
     "05010:即位\r\n・メーデー|05012#"},
    {"one-off date on a Sunday", 2021, "**2021/08/08山の日", "08080山の日|08090 前日の振休|08092#"},
    {"one-off month 13 fails in every year", 2024, "**2019/13/01x", nullptr},
    {"equinoxes of 2027, the spring one on a Sunday", 2027, "**03/春分春分の日\r\n**09/秋分秋分の日",
     "03210春分の日|03220 前日の振休|03222#|09230秋分の日|09232#"},
    {"equinoxes by the constants before 1980", 1979, "**03/春分春分の日\r\n*09/秋分秋分の日",
     "03210春分の日|03212#|09240秋分の日"},
    {"equinoxes in a range", 1990, "**1980-1989 03/春分春分の日", ""},
    {"no equinox after the formula's years", 2151, "**03/春分春分の日\r\n**09/秋分秋分の日", ""},
    {"no equinox before the formula's years", 1899, "**03/春分春分の日", ""},
    {"an equinox in the other month is no equinox", 2024, "*09/春分x", ""},
    {"citizens' holiday between two holidays", 2009,
     "**09w3月敬老の日\r\n**09/秋分秋分の日\r\n**挟まれた日国民の休日",
     "09210敬老の日|09212#|09220国民の休日|09222#|09230秋分の日|09232#"},
    {"citizens' holidays across a month's end, around a one-off date", 2019,
     "**挟まれた日休日\r\n**04/29昭和の日\r\n**2019/05/01即位\r\n**05/03憲法記念日",
     "04290昭和の日|04292#|04300休日|04302#|05010即位|05012#|05020休日|05022#|05030憲法記念日|05032#"},
    {"no citizens' holiday on a Sunday", 1986, "**05/03憲法\r\n**05/05こども\r\n**挟まれた日休",
     "05030憲法|05032#|05050こども|05052#"},
    {"no citizens' holiday on a substitute holiday", 1987, "**05/03憲法\r\n**05/05こども\r\n**挟まれた日休",
     "05030憲法|05040 前日の振休|05042#|05050こども|05052#"},
    {"no citizens' holiday before its years", 1985,
     "**05/03憲法\r\n**05/05こども\r\n**1986-?\?\?\? 挟まれた日休",
     "05030憲法|05032#|05050こども|05060 前日の振休|05062#"},
    {"a plain citizens' rule joins the day's entry without a flag", 1988,
     "**05/03a\r\n**05/05b\r\n*挟まれた日c\r\n*05/04d", "05030a|05032#|05040:d\r\n・c|05050b|05052#"},
    {"the day before a solar term", 2025, "*立春-001節分", "02020節分"},
    {"a term in a range, in its year", 2029, "*2029-2029 立春-001節分", "02020節分"},
    {"a term in a range, outside its years", 2024, "*2029-2029 立春-001節分", ""},
    {"a count of days from the term", 2024, "*立春+209二百十日\r\n*冬至+000冬至", "08310二百十日|12210冬至"},
    {"a term joins the day's other rules", 2026, "*09/01防災の日\r\n*立春+209二百十日",
     "09010:防災の日\r\n・二百十日"},
    {"a count reaching into the year from last year's term", 2025, "*冬至+011x", "01010x"},
    {"a red longitude", 2024, "**黄経080入梅", "06100入梅|06102#"},
    {"the first 丑 day of the summer 土用, not the second", 2025, "*土用丑117土用の丑の日",
     "07190土用の丑の日"},
    {"the first 丑 day of the winter 土用", 2024, "*土用丑297x", "01260x"},
    {"no day of the sun after its years", 2151, "*立春-001節分\r\n*黄経080x\r\n*土用丑117y", ""},
    {"no day of the sun before its years", 1899, "*春分+000x", ""},
    {"an unknown term fails", 2024, "*春至-001x", nullptr},
    {"a longitude of 360 fails", 2024, "*黄経360x", nullptr},
    {"a 土用 that does not begin at its degree fails", 2024, "*土用丑100x", nullptr},
    {"no substitute before 12 April 1973", 1973, "**04/08x", "04080x|04082#"},
    {"the first substitute holidays of 1973", 1973, "**04/15x", "04150x|04160 前日の振休|04162#"},
    {"until 2006 the Monday only, even when it is red", 2006, "**01/01a\r\n**01/02b",
     "01010a|01020b 前日の振休|01022#"},
    {"an upper-case W is read as a fixed date, its week digit as the day", 2024, "*05W2日大文字のW",
     "05020大文字のW"},
    {"a star inside a name starts another entry on the same day", 2024, "*01/02初夢*01/02書初め",
     "01020:初夢*01/02書初め\r\n・書初め"},
    {"two red entries on one line", 2024, "**05/03a**05/04b", "05030a**05/04b|05032#|05040b|05042#"},
    {"a fifth Sunday the month does not have keeps the slot of the 31st", 2024, "**11w5日f", "11310f|11312#"},
    {"since 2007 the first day that is not red", 2007, "**01/07a\r\n**01/08b",
     "01070a|01080b|01082#|01090 前日の振休|01092#"},
};

TEST(HolidayRules, EachFormGeneratesItsDaysAndOnlyInItsYears) {
    for (const auto& [name, year, list, entries] : ruleRows)
        EXPECT_EQ(test::generated(QString::fromUtf8(list), year).value_or("refused"),
                  entries ? QString::fromUtf8(entries) : "refused")
            << name;
}

TEST(HolidayRules, TheEditorsSampleListGeneratesInEveryYear) {
    ASSERT_TRUE(checkHolidayList(holidaySampleList()).ok);
    for (int year = 1; year <= 9999; year += year < 1900 || year > 2200 ? 97 : 1)
        ASSERT_TRUE(test::generated(holidaySampleList(), year).has_value()) << year;
}

// A red day as a calendar shows it: the first name of its public line, "振替" for a substitute. A
// holiday on a Sunday gives its flag to its substitute and stays red as a Sunday.
struct RedDay {
    QString name;
    bool flagged = false;
};

QMap<QDate, RedDay> redDays(const QString& holidays, int year) {
    YearItems items;
    EXPECT_TRUE(generateYear(items, holidays, u"*2000/01/00", year)); // an anniversary that generates nothing
    QMap<QDate, RedDay> days;
    for (QDate date(year, 1, 1); date.year() == year; date = date.addDays(1)) {
        const auto& day = items[date.month() - 1][date.day()];
        const bool flagged = day[2].mid(5, 1) == "#";
        if (!flagged && (date.dayOfWeek() != Qt::Sunday || day[0].isEmpty()))
            continue;
        QString content = day[0].mid(5);
        while (content.startsWith(':'))
            content.remove(0, 1);
        days.insert(date,
                    {content.endsWith(" 前日の振休") ? "振替" : content.section("\r\n", 0, 0), flagged});
    }
    return days;
}

// The dataset's holidays, spelled as the law of their year names them where the dataset differs.
QMap<QDate, QString> datasetHolidays() {
    // The dataset's name, the date it is spelled so on (invalid: every date), the law's name.
    static const std::tuple<const char*, QDate, const char*> spellings[] = {
        {"休日", {}, "国民の休日"},
        {"大喪の礼", {}, "昭和天皇の大喪の礼"},
        {"結婚の儀", {}, "皇太子徳仁親王の結婚の儀"},
        {"休日（祝日扱い）", {2019, 5, 1}, "天皇の即位の日"},
        {"休日（祝日扱い）", {2019, 10, 22}, "即位礼正殿の儀"},
        // The renaming took effect in 2020; the dataset announces it a year early.
        {"体育の日（スポーツの日）", {}, "体育の日"},
    };
    QMap<QDate, QString> days;
    for (const QString& line : test::tableRows("JapaneseHolidays.csv")) {
        const QDate date = QDate::fromString(line.section(',', 0, 0), Qt::ISODate);
        QString name = line.section(',', 1);
        for (const auto& [spelt, on, law] : spellings)
            if (name == QString::fromUtf8(spelt) && (!on.isValid() || on == date))
                name = QString::fromUtf8(law);
        days.insert(date, name.endsWith(" 振替休日") ? "振替" : name);
    }
    return days;
}

// The equinox days among them are the observatory's formula: those up to 2027 it has announced.
TEST(HolidayRules, TheDeliveredListsPassTheChecksAndGiveJapansHolidaysOfEveryYearFrom1970To2050) {
    const QString list = readListFile(HIBIMO_SOURCE_DIR "/data/HBHolyD.dat").value();
    ASSERT_TRUE(checkHolidayList(list).ok);
    ASSERT_TRUE(checkAnniversaryList(readListFile(HIBIMO_SOURCE_DIR "/data/HBBirth.dat").value()).ok);
    const QMap<QDate, QString> dataset = datasetHolidays();
    ASSERT_EQ(QPair(dataset.firstKey(), dataset.lastKey().year()), QPair(QDate(1970, 1, 1), 2050));
    QStringList differences;
    for (int year = 1970; year <= 2050; ++year) {
        const QMap<QDate, RedDay> got = redDays(list, year);
        for (auto d = dataset.lowerBound(QDate(year, 1, 1)); d != dataset.end() && d.key().year() == year;
             ++d)
            if (got.value(d.key()).name != *d)
                differences << d.key().toString(Qt::ISODate) + " " + *d + " / " + got.value(d.key()).name;
        for (auto g = got.begin(); g != got.end(); ++g)
            if (g->flagged && !dataset.contains(g.key()))
                differences << g.key().toString(Qt::ISODate) + " extra " + g->name;
    }
    EXPECT_EQ(differences, QStringList());
}

} // namespace
} // namespace hibimo
