#pragma once

#include "calendar/CalendarModule.h"
#include "colours/ColourSlots.h"

#include <QDate>
#include <QString>
#include <array>

namespace hibimo {

// Text and background of one box, 0x00BBGGRR.
struct BoxColours {
    int fore = 0;
    int back = 0;
    bool operator==(const BoxColours&) const = default;
};

// One day of the month grid as it is shown. Further texts of a day (its almanac) belong here too, so
// that the window and a printed page show the same thing.
struct MonthCell {
    // Invalid beside year 1 and year 9999, where no neighbouring year exists.
    QDate date;
    bool inMonth = false;
    bool redDay = false;
    bool today = false;
    QString dayText;
    QString mark;
    QString publicText;
    QString privateText;
    // 六曜 and the lunisolar date ("大安 旧11/1") where they are asked for, else empty.
    QString almanac;
    // The boxes in their grid order: day number, public line, private line, mark.
    enum Box { DayNumber, Public, Private, Mark };
    std::array<BoxColours, 4> colours;
    bool operator==(const MonthCell&) const = default;
};

// Index 7 * week row + column (Sunday first).
using MonthCells = std::array<MonthCell, 42>;

// The 42 cells of month `month` (1..12) of `year` from the loaded year's tables, the neighbouring
// month's tables (January beside December, December beside January) and today, coloured by the
// scheme. The tables must hold that year and its neighbour.
// With `almanac`, every cell with a date also carries its almanac text.
MonthCells monthCells(const CalendarState& s, const ColourScheme& colours, int year, int month,
                      bool almanac = false);

} // namespace hibimo
