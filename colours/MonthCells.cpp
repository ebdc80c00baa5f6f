#include "colours/MonthCells.h"

#include "calendar/TextNumber.h"
#include "generation/Lunisolar.h"

namespace hibimo {

namespace {

// Years with a file name of four digits; beside them the grid shows day numbers only.
bool hasYear(int year) {
    return year >= 1 && year <= 9999;
}

// Where a cell's texts come from: one month of entries and its two line tables.
struct MonthSource {
    const MonthItems* items = nullptr;
    const MonthLines* pubLine = nullptr;
    const MonthLines* privLine = nullptr;
};

void fillTexts(MonthCell& cell, const MonthSource& source, int d, const ColourScheme& c) {
    cell.dayText = QString::number(d);
    if (!source.items)
        return;
    const auto& day = (*source.items)[d];
    cell.publicText = day[0].mid(5) + (*source.pubLine)[d - 1];
    cell.privateText = day[1].mid(5) + (*source.privLine)[d - 1];
    if (day[2].size() > 5) {
        const QString s = day[2].mid(5);
        cell.redDay = s.startsWith(QLatin1Char('#'));
        cell.mark = s.mid(1);
    }
    // A red day keeps the background its column or month gives it.
    if (cell.redDay)
        cell.colours[MonthCell::DayNumber].fore = c.ColHolidayDateFore;
}

void resetColours(MonthCell& cell, const ColourScheme& c) {
    cell.colours = {BoxColours{c.ColWeekdayDateFore, c.ColWeekdayDateBack},
                    {c.ColPubLineFore, c.ColPubLineBack},
                    {c.ColPrivLineFore, c.ColPrivLineBack},
                    {c.ColMarkFore, c.ColMarkBack}};
}

void columnColours(MonthCell& cell, int column, const ColourScheme& c) {
    BoxColours& day = cell.colours[MonthCell::DayNumber];
    if (cell.inMonth) {
        if (column == 0)
            day = {c.ColSunDateFore, c.ColSunDateBack};
        else if (column == 6)
            day = {c.ColSatDateFore, c.ColSatDateBack};
        return;
    }
    for (BoxColours& box : cell.colours)
        box.back = c.ColOtherMonthBack;
    if (column == 0)
        day.fore = c.ColSunDateFore;
    else if (column == 6)
        day.fore = c.ColSatDateFore;
}

MonthSource sourceOf(const CalendarState& s, int year, int monthIndex, bool neighbour) {
    if (!hasYear(year))
        return {};
    if (neighbour)
        return {&s.NbDayItem, &s.NbPubLine, &s.NbPrivLine};
    return {&s.DayItem[monthIndex], &s.PubLine[monthIndex], &s.PrivLine[monthIndex]};
}

QDate todayOf(const CalendarState& s) {
    return QDate(numberFromText(s.TodayYear), numberFromText(s.MarkMonth), s.TodayDay);
}

} // namespace

MonthCells monthCells(const CalendarState& s, const ColourScheme& colours, int year, int month,
                      bool almanac) {
    const QDate first(year, month, 1);
    const QDate previous = first.addMonths(-1);
    const QDate next = first.addMonths(1);
    const int leading = first.dayOfWeek() % 7; // Sunday first
    const int days = first.daysInMonth();
    const MonthSource shown = sourceOf(s, year, month - 1, false);
    const MonthSource before = sourceOf(s, previous.year(), month - 2, month == 1);
    const MonthSource after = sourceOf(s, next.year(), month, month == 12);
    const QDate today = todayOf(s);

    MonthCells cells;
    for (int i = 0; i < 42; ++i) {
        MonthCell& cell = cells[i];
        resetColours(cell, colours);
        QDate date;
        const MonthSource* source = &shown;
        if (i < leading) {
            date = previous.addDays(previous.daysInMonth() - leading + i);
            source = &before;
        } else if (i < leading + days) {
            date = first.addDays(i - leading);
            cell.inMonth = true;
        } else {
            date = next.addDays(i - leading - days);
            source = &after;
        }
        columnColours(cell, i % 7, colours);
        fillTexts(cell, *source, date.day(), colours);
        cell.date = hasYear(date.year()) ? date : QDate();
        cell.today = cell.inMonth && date == today;
        if (almanac && cell.date.isValid())
            cell.almanac = almanacText(cell.date);
        if (cell.today)
            cell.colours[MonthCell::DayNumber].back = cell.colours[MonthCell::Mark].back =
                colours.ColTodayBack;
    }
    return cells;
}

} // namespace hibimo
