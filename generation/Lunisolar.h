#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace hibimo {

// The lunisolar calendar as Japanese almanacs print it: a month begins on the day (JST) of the new
// moon, the month holding the winter solstice is the 11th, and where thirteen months lie between
// two 11th months, the first of them holding no principal term (the sun at a multiple of 30°) is
// the leap month of the month before it.

// A day of that calendar; month 0 for a day outside the years the sun is computed for.
struct LunarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool leap = false;
    bool isValid() const { return month != 0; }
    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

struct LunarMonth {
    QDate first;
    int year = 0;
    int number = 0;
    bool leap = false;
};

// The months from the one holding the winter solstice of the year before to the one holding that
// of the year, both included (13 or 14 entries); empty where the solstices are not computed.
std::vector<LunarMonth> monthsBetweenSolstices(int year);

// The moment of the new moon of a lunation (0 is that of 6 January 2000) as a Julian date in JST,
// and its day, decided by the full lunar theory when the moment lies near midnight.
double jstMomentOfNewMoon(int lunation);
QDate dayOfNewMoon(int lunation);

// The months are worked out once per solstice year and kept, so a month page costs two look-ups.
LunarDate lunarDateOf(QDate date);

// 大安, 赤口, 先勝, 友引, 先負 or 仏滅; empty outside the computed years.
QString rokuyoOf(QDate date);

// "旧11/1", or "閏11/1" in a leap month (the 閏 already says it is the old calendar, and a cell
// has little room); empty for an invalid date.
QString shortLunarText(const LunarDate& date);

// A day's 六曜 and lunisolar date as the calendar shows them: "大安 旧11/1"; empty outside the computed
// years.
QString almanacText(QDate date);

} // namespace hibimo
