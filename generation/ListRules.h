#pragma once

#include "generation/RuleForms.h"

#include <QStringView>
#include <vector>

namespace hibimo {

// The two lists read into typed rules, once, by the editors' check and by generation alike. Names
// are views into the list text, which must outlive the rules.

// Generation reads every entry it can make sense of, as it always has (a list edited with a text
// editor keeps working); the editors accept only well-formed entries, so that what they store is
// what they show.
enum class ListReading { Generation, Editor };

struct HolidayRule {
    enum Kind { Fixed, Weekday, OneOff, Equinox, Sun, BetweenDays };
    Kind kind = Fixed;
    bool red = false;
    YearRange years; // every year unless a range stood in front
    int year = 0;    // OneOff
    int month = 0;   // Fixed, Weekday, OneOff, Equinox
    int day = 0;     // Fixed, OneOff; 0 names no day (the month memo's slot)
    int week = 0;    // Weekday, as written (a week the month lacks gives no day)
    int weekday = 0; // Weekday: 1 = Sunday .. 7; 0 before any rule named one
    SunRule sun;     // Sun
    QStringView name;
};

struct AnniversaryRule {
    int month = 0;
    int day = 0;
    QStringView yearSuffix; // characters 3-4 of the year ("72", "??")
    QStringView name;
};

// Where the first entry that the reading refuses stands: its number (every "*" counts, 1-based) and
// its line in the text, star(s) included. Entry 1 with no line when the text has no "*" at all.
struct ListFault {
    int entry = 0; // 0: none
    qsizetype start = -1;
    qsizetype length = 0;
};

template <class Rule> struct ParsedList {
    std::vector<Rule> rules;
    ListFault fault;
    bool ok() const { return fault.entry == 0; }
};

ParsedList<HolidayRule> parseHolidayList(QStringView text, ListReading reading);
ParsedList<AnniversaryRule> parseAnniversaryList(QStringView text, ListReading reading);

} // namespace hibimo
