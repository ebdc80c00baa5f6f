#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace hibimo {

class Interaction;

// Day entries of one month of the neighbouring year: [day 0..31][kind 0..2].
using MonthItems = std::array<std::array<QString, 3>, 32>;
// Day entries of the loaded year: [month index 0..11][day 0..31][kind 0..2].
using YearItems = std::array<MonthItems, 12>;
// Line texts of one month: [day - 1].
using MonthLines = std::array<QString, 31>;
// Line texts of the loaded year: [month index 0..11][day - 1].
using YearLines = std::array<MonthLines, 12>;

struct CalendarState {
    YearItems DayItem;
    YearLines PubLine;
    YearLines PrivLine;
    MonthItems NbDayItem;
    MonthLines NbPubLine;
    MonthLines NbPrivLine;

    // The loaded year and the shown month are written by their owner (ShownMonth) alone.
    QString LoadedYear;
    int CurYear = 0;
    int CurMonth = 0;
    QString NewMonthText;
    QString TodayYear;
    QString TodayMonth;
    QString TodayDayText;
    QString MarkMonth;
    std::int16_t TodayDay = 0;
    bool DispReady = false;
    bool DispDone = false;
    // Set when the loaded year's tables were changed in memory and not yet saved (the month memo is
    // written back on every keystroke). PCwrite and YearLoad clear it: after either, the tables and the
    // file agree.
    bool LoadedYearChanged = false;

    QString HolyText;
    QString BirthText;
};

// The calendar's part of the program's state with the program's place: the folder of its files, the
// user and the clock. Every operation of the calendar and of year generation works on it.
struct CalendarModule : CalendarState {
    CalendarModule(QString programFolder, Interaction& interaction)
        : folder(std::move(programFolder)), ui(interaction) {}

    // Where every data file lives: the folder of the executable.
    QString folder;
    Interaction& ui;
    // The system clock; tests replace it.
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    // Told after a year file was written, with its year: sharing follows the saved year from here,
    // so a save never waits for it.
    std::function<void(const QString& yyyy)> yearSaved;

    // Path of a file in the program's folder.
    QString filePath(const QString& name) const;
};

} // namespace hibimo
