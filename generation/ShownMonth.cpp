#include "generation/ShownMonth.h"

#include "calendar/CalendarModule.h"
#include "calendar/TextNumber.h"
#include "calendar/YearFile.h"
#include "generation/YearLoading.h"

#include <QDate>
#include <QFile>

namespace hibimo {

namespace {

constexpr int MinYear = 1;
constexpr int MaxYear = 9999;

bool hasFile(const CalendarModule& m, const QString& year) {
    return QFile::exists(yearFilePath(m, year));
}

} // namespace

std::pair<int, int> normalisedMonth(int year, int month) {
    const int zeroBased = month - 1;
    const int yearShift = zeroBased >= 0 ? zeroBased / 12 : -((11 - zeroBased) / 12);
    return {year + yearShift, zeroBased - yearShift * 12 + 1};
}

int ShownMonth::year() const {
    return m_.CurYear;
}

int ShownMonth::month() const {
    return m_.CurMonth;
}

void ShownMonth::startAt(int year, int month) {
    m_.CurYear = year;
    m_.CurMonth = month;
    m_.LoadedYear = fourDigits(year);
    neighbour_.clear();
}

MonthMove ShownMonth::moveTo(int wantedYear, int wantedMonth) {
    const auto [year, month] = normalisedMonth(wantedYear, wantedMonth);
    // Years outside 1..9999 have no four-digit file name.
    if (year < MinYear || year > MaxYear)
        return {};
    MonthMove move;
    const QString yearText = fourDigits(year);
    if (yearText != m_.LoadedYear) {
        const QString left = m_.LoadedYear;
        const bool saved = PCwrite(m_, left);
        move = loadYear(yearText);
        if (saved)
            move.savedYear = left;
    }
    m_.CurYear = year;
    m_.CurMonth = month;
    loadNeighbour(move);
    move.moved = true;
    return move;
}

MonthMove ShownMonth::reload() {
    if (m_.LoadedYearChanged)
        PCwrite(m_, m_.LoadedYear);
    MonthMove move = loadYear(m_.LoadedYear);
    neighbour_.clear();
    loadNeighbour(move);
    move.moved = true;
    return move;
}

bool ShownMonth::save() {
    return PCwrite(m_, m_.LoadedYear);
}

MonthMove ShownMonth::loadYear(const QString& year) {
    MonthMove move;
    if (!hasFile(m_, year))
        move.createdYear = year;
    m_.LoadedYear = year;
    YearLoad(m_, year);
    // The neighbour tables may hold the year just left or just made.
    neighbour_.clear();
    return move;
}

void ShownMonth::loadNeighbour(MonthMove& move) {
    const int month = m_.CurMonth;
    if (month != 1 && month != 12)
        return;
    const int year = m_.CurYear + (month == 12 ? 1 : -1);
    const QString wanted = fourDigits(year) + twoDigits(month);
    if (wanted == neighbour_)
        return;
    m_.NewMonthText = twoDigits(month);
    neighbour_ = wanted;
    if (year < MinYear || year > MaxYear) {
        m_.NbDayItem = {};
        m_.NbPubLine = {};
        m_.NbPrivLine = {};
        return;
    }
    const QString yearText = fourDigits(year);
    const bool missing = !hasFile(m_, yearText);
    NbMonthLoad(m_, QStringLiteral(" ") + yearText);
    if (!missing)
        return;
    move.createdNeighbour = yearText;
    // Made just now: its month is read from the new file; a year that could not be written is
    // announced again on the next move.
    if (hasFile(m_, yearText))
        NbMonthLoad(m_, QStringLiteral(" ") + yearText);
    else
        neighbour_.clear();
}

} // namespace hibimo
