#include "generation/Lunisolar.h"

#include "tests/CoreSupport.h"

#include <gtest/gtest.h>

namespace hibimo {

void PrintTo(const LunarDate& d, std::ostream* os) {
    *os << d.year << (d.leap ? " 閏" : " ") << d.month << "/" << d.day;
}

namespace {

TEST(Lunisolar, EveryDayOf1960To2049IsThatOfThePublishedTable) {
    int days = 0;
    for (const QString& line : test::tableRows("JapaneseLunisolar.csv")) {
        const QStringList fields = line.split(',');
        ASSERT_EQ(fields.size(), 4);
        const int year = fields[0].toInt();
        const int leap = fields[2].toInt();
        QDate day = QDate::fromString(fields[1], Qt::ISODate);
        for (int i = 0; i < fields[3].size(); ++i)
            for (int d = 1; d <= (fields[3][i] == '1' ? 30 : 29); ++d, day = day.addDays(1), ++days)
                ASSERT_EQ(lunarDateOf(day),
                          (LunarDate{year, leap && i >= leap ? i : i + 1, d, leap && i == leap}))
                    << day.toString(Qt::ISODate).toStdString();
    }
    EXPECT_EQ(days, 32868);
}

// 2033: the rule of the first month without a principal term gives 閏11月, which the almanac
// makers adopted where the older rules contradict each other.
TEST(Lunisolar, DaysByName) {
    const std::tuple<QDate, LunarDate, const char*, const char*> cases[] = {
        {{2033, 12, 21}, {2033, 11, 30, false}, "旧11/30", "仏滅"},
        {{2033, 12, 22}, {2033, 11, 1, true}, "閏11/1", "大安"},
        {{2034, 1, 20}, {2033, 12, 1, false}, "旧12/1", "赤口"},
        {{2034, 2, 19}, {2034, 1, 1, false}, "旧1/1", "先勝"},
        {{2024, 9, 3}, {2024, 8, 1, false}, "旧8/1", "友引"},
        {{2024, 10, 3}, {2024, 9, 1, false}, "旧9/1", "先負"},
        {{1850, 1, 1}, {}, "", ""},
        {{2190, 1, 1}, {}, "", ""},
    };
    for (const auto& [date, lunar, text, rokuyo] : cases) {
        SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(std::tuple(lunarDateOf(date), shortLunarText(lunar), rokuyoOf(date)),
                  std::tuple(lunar, QString::fromUtf8(text), QString::fromUtf8(rokuyo)));
    }
}

// Published times (UTC): the US Naval Observatory's tables as almanacs reprint them, DE430 by
// in-the-sky.org (2024-01-11) and the worked example of Meeus, chapter 49 (1977).
TEST(Lunisolar, NewMoonsToTheMinute) {
    const std::pair<int, const char*> cases[] = {
        {-283, "1977-02-18T03:37"}, {0, "2000-01-06T18:14"},   {73, "2005-12-01T15:01"},
        {149, "2012-01-23T07:39"},  {150, "2012-02-21T22:35"}, {153, "2012-05-20T23:47"},
        {154, "2012-06-19T15:02"},  {212, "2017-02-26T14:58"}, {218, "2017-08-21T18:30"},
        {297, "2024-01-11T11:58"},  {300, "2024-04-08T18:21"}};
    for (const auto& [lunation, utc] : cases) {
        const QDateTime published = QDateTime::fromString(QString::fromLatin1(utc), Qt::ISODate);
        const double jst = static_cast<double>(published.date().toJulianDay()) - 0.5 +
                           published.time().msecsSinceStartOfDay() / 86400000.0 + 9.0 / 24;
        EXPECT_NEAR(jstMomentOfNewMoon(lunation), jst, 1.0 / 1440) << utc;
    }
}

// New moons within a few minutes (some seconds) of JST midnight: the day is the full theory's.
TEST(Lunisolar, NewMoonsNearMidnightFallOnTheirDay) {
    const std::pair<int, QDate> cases[] = {{-1129, {1908, 9, 25}}, {73, {2005, 12, 2}},
                                           {212, {2017, 2, 26}},   {1200, {2097, 1, 13}},
                                           {1522, {2123, 1, 27}},  {-1064, {1913, 12, 27}}};
    for (const auto& [lunation, day] : cases)
        EXPECT_EQ(dayOfNewMoon(lunation), day) << lunation;
}

} // namespace
} // namespace hibimo
