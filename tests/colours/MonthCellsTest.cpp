// The month as data: a month's cells as a table, without a window.
#include "colours/MonthCells.h"

#include "tests/CoreSupport.h"

#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

// Every slot a cell uses gets a colour of its own, so that a cell names the slot it took.
constexpr int WeekdayFore = 1, WeekdayBack = 2, SunFore = 3, SunBack = 4, SatFore = 5, SatBack = 6,
              HolidayFore = 7, TodayBack = 8, OtherBack = 9, PubFore = 10, PubBack = 11, PrivFore = 12,
              PrivBack = 13, MarkFore = 14, MarkBack = 15;

ColourScheme distinctColours() {
    ColourScheme c;
    c.ColWeekdayDateFore = WeekdayFore, c.ColWeekdayDateBack = WeekdayBack;
    c.ColSunDateFore = SunFore, c.ColSunDateBack = SunBack, c.ColSatDateFore = SatFore;
    c.ColSatDateBack = SatBack, c.ColHolidayDateFore = HolidayFore, c.ColTodayBack = TodayBack;
    c.ColOtherMonthBack = OtherBack, c.ColPubLineFore = PubFore, c.ColPubLineBack = PubBack;
    c.ColPrivLineFore = PrivFore, c.ColPrivLineBack = PrivBack, c.ColMarkFore = MarkFore;
    c.ColMarkBack = MarkBack, c.ColHolidayDateBack = 99, c.ColScreenBack = 98;
    return c;
}

void setToday(CalendarState& s, QDate today) {
    s.TodayYear = QString::number(today.year());
    s.MarkMonth = QString::asprintf("%02d", today.month());
    s.TodayDay = std::int16_t(today.day());
}

TEST(MonthCells, TakeTextsAndColoursFromTheirDay) {
    CalendarState s;
    s.DayItem[4][31][0] = "05310祝";
    s.PubLine[4][30] = "会";
    s.DayItem[5][2][2] = "06022#";
    s.DayItem[5][10][1] = "06101花子'72";
    s.PrivLine[5][9] = "歯医者";
    s.DayItem[5][12][2] = "06122 休";
    s.DayItem[5][13][2] = "06132";
    s.DayItem[5][14][2] = "06142#";
    s.DayItem[6][3][2] = "07032#◆";
    setToday(s, QDate(2024, 6, 15)); // a Saturday
    const MonthCells cells = monthCells(s, distinctColours(), 2024, 6);
    // texts: public line | private line | mark; back: of the two lines; the mark's back follows today.
    const struct {
        const char* name;
        int cell;
        QDate date;
        QString texts;
        int dayFore, dayBack, back, markBack;
    } rows[] = {
        {"May's Sunday", 0, {2024, 5, 26}, "||", SunFore, OtherBack, OtherBack, OtherBack},
        {"May's line", 5, {2024, 5, 31}, "祝会||", WeekdayFore, OtherBack, OtherBack, OtherBack},
        {"1st, Saturday", 6, {2024, 6, 1}, "||", SatFore, SatBack, PubBack, MarkBack},
        {"red Sunday", 7, {2024, 6, 2}, "||", HolidayFore, SunBack, PubBack, MarkBack},
        {"user text last", 15, {2024, 6, 10}, "|花子'72歯医者|", WeekdayFore, WeekdayBack, PubBack, MarkBack},
        {"mark, not red", 17, {2024, 6, 12}, "||休", WeekdayFore, WeekdayBack, PubBack, MarkBack},
        {"key alone", 18, {2024, 6, 13}, "||", WeekdayFore, WeekdayBack, PubBack, MarkBack},
        {"red weekday", 19, {2024, 6, 14}, "||", HolidayFore, WeekdayBack, PubBack, MarkBack},
        {"today, Saturday", 20, {2024, 6, 15}, "||", SatFore, TodayBack, PubBack, TodayBack},
        {"red in July", 38, {2024, 7, 3}, "||◆", HolidayFore, OtherBack, OtherBack, OtherBack},
    };
    for (const auto& row : rows) {
        const MonthCell& cell = cells[row.cell];
        EXPECT_EQ(cell.date, row.date) << row.name;
        EXPECT_EQ(QStringList({cell.publicText, cell.privateText, cell.mark}).join('|'), row.texts)
            << row.name;
        EXPECT_EQ(cell.colours[MonthCell::DayNumber], (BoxColours{row.dayFore, row.dayBack})) << row.name;
        EXPECT_EQ(cell.colours[MonthCell::Public],
                  (BoxColours{PubFore, row.back == OtherBack ? OtherBack : PubBack}))
            << row.name;
        EXPECT_EQ(cell.colours[MonthCell::Private],
                  (BoxColours{PrivFore, row.back == OtherBack ? OtherBack : PrivBack}))
            << row.name;
        EXPECT_EQ(cell.colours[MonthCell::Mark], (BoxColours{MarkFore, row.markBack})) << row.name;
    }
}

TEST(MonthCells, TodayIsMarkedInTodaysYearOnly) {
    const struct {
        const char* name;
        QDate today;
        int year, month;
        int markedDay; // 0: none
    } rows[] = {
        {"today's month", {2027, 1, 5}, 2027, 1, 5},
        {"the same month a year before", {2027, 1, 5}, 2026, 1, 0},
        {"the same month a year after", {2027, 1, 5}, 2028, 1, 0},
        {"29 February in its year", {2028, 2, 29}, 2028, 2, 29},
        {"29 February, a common year shown", {2028, 2, 29}, 2029, 2, 0},
        {"29 February, a common year before", {2028, 2, 29}, 2027, 2, 0},
        {"today among the next month's cells", {2024, 6, 1}, 2024, 5, 0},
    };
    for (const auto& row : rows) {
        CalendarState s;
        setToday(s, row.today);
        QList<int> marked;
        for (const MonthCell& cell : monthCells(s, distinctColours(), row.year, row.month))
            if (cell.today || cell.colours[MonthCell::DayNumber].back == TodayBack ||
                cell.colours[MonthCell::Mark].back == TodayBack)
                marked << cell.date.day();
        EXPECT_EQ(marked, row.markedDay ? QList<int>{row.markedDay} : QList<int>{}) << row.name;
    }
}

} // namespace
} // namespace hibimo::test
