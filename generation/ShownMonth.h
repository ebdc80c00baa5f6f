#pragma once

#include <QString>
#include <utility>

namespace hibimo {

struct CalendarModule;

// Year and month of the 1st of month `month` of `year`, where months below 1 or above 12 roll over.
std::pair<int, int> normalisedMonth(int year, int month);

// What a move to another month did.
struct MonthMove {
    // False when the month lies outside the years 1..9999: nothing changed.
    bool moved = false;
    // The year written before another was loaded, or empty.
    QString savedYear;
    // Years that had no file and were generated: the shown one or the neighbour of its edge cells.
    QString createdYear;
    QString createdNeighbour;
};

// The one owner of the shown month (CurYear, CurMonth) and the loaded year (LoadedYear): nothing else
// writes them. Moving saves the year being left, loads (or generates) the year entered and loads the
// neighbouring month the edge cells show, all before the caller shows anything, so that a message
// asked on the way stands over the month as it was.
class ShownMonth {
  public:
    explicit ShownMonth(CalendarModule& m) : m_(m) {}

    int year() const;
    int month() const;

    // Sets the shown month and the loaded year without touching a file (start-up, shut-down).
    void startAt(int year, int month);
    // Moves to month `month` of `year`; months 0 and 13 roll into the neighbouring year.
    MonthMove moveTo(int year, int month);
    MonthMove step(int years, int months) { return moveTo(year() + years, month() + months); }
    // Reads the loaded year again from its file (generating it when it has none), first saving changes
    // made in memory, and the neighbouring month with it.
    MonthMove reload();
    // Writes the loaded year.
    bool save();
    // Another year's file was written: the neighbouring month is read again on the next move.
    void forgetNeighbour() { neighbour_.clear(); }

  private:
    MonthMove loadYear(const QString& year);
    void loadNeighbour(MonthMove& move);

    CalendarModule& m_;
    // The year and month the neighbour tables hold, "yyyymm", or empty.
    QString neighbour_;
};

} // namespace hibimo
