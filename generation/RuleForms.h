#pragma once

#include <QStringView>
#include <optional>

namespace hibimo {

// The rule forms that came after fixed dates and n-th weekdays. Each is recognised by its shape
// alone, at fixed character positions of the entry body, and no shape can match a body that the
// editor accepted before they existed (those have "/" or "w" as their third character and a digit
// as their fourth), so old lists read exactly as they always did.

// "1996-2002 " in front of another rule: the rule holds from the first year to the second, both
// included; "????" leaves that end open. The separator is a blank, half- or full-width.
struct YearRange {
    int from = 0;
    int until = 9999;
    bool contains(int year) const { return from <= year && year <= until; }
};
inline constexpr qsizetype YearRangeLength = 10;
std::optional<YearRange> yearRangeOf(QStringView body);

// "2019/05/01天皇の即位の日": one date of one year, laid out as in the anniversary list.
struct OneOffDate {
    int year = 0;
    int month = 0;
    int day = 0;
};
inline constexpr qsizetype OneOffLength = 10;
std::optional<OneOffDate> oneOffDateOf(QStringView body);

// "03/春分" and "09/秋分": the equinox day of that month, which the law leaves to the observatory.
// Returns the month (3 or 9), or 0 for another body.
int equinoxMonthOf(QStringView body);

// "挟まれた日": a day between two red days of the rules that is neither a Sunday nor red itself
// becomes a holiday (the citizens' holiday).
bool isBetweenDaysRule(QStringView body);

// Days of the sun, at the day (JST) on which its apparent ecliptic longitude reaches a value:
// "立春-001節分": a solar term (two kanji) and a signed three-digit count of days from it;
// "黄経080入梅": a longitude in whole degrees, 000 to 359;
// "土用丑117土用の丑の日": the first 丑 day of the 土用 that begins at 027, 117, 207 or 297 degrees.
// A term has "+" or "-" as its third character, and the other two begin with "黄経" and "土用丑":
// no older form looks like any of them, so lists written before read as they always did.
struct SunRule {
    enum Kind { Term, Longitude, FirstOxDay };
    Kind kind = Term;
    int degrees = 0;
    int offset = 0;       // days after the term (Term only)
    qsizetype length = 0; // the date part; the name follows it
};
std::optional<SunRule> sunRuleOf(QStringView body);

// The longitude of a solar term by its name ("立春" 315), or -1 for another text.
int solarTermDegrees(QStringView name);

// The date part of every other form but the one-off date is five characters; the name follows it.
inline constexpr qsizetype DatePartLength = 5;

// The day of the equinox in March or September of a year by the observatory's published formula,
// or 0 for a year outside 1900..2150, where the formula has no constants.
int equinoxDay(int year, int month);

} // namespace hibimo
