#pragma once

#include <QDate>
#include <optional>
#include <vector>

namespace hibimo {

// The years for which the sun's position and the clock correction are trusted to the minute; the
// equinox formula has the same limits.
inline constexpr int FirstSolarYear = 1900;
inline constexpr int LastSolarYear = 2150;

// The moment, as a Julian date in Japan Standard Time, at which the sun's apparent geocentric
// ecliptic longitude first reaches the given whole degree on or after 1 January of the year (JST);
// nothing outside FirstSolarYear..LastSolarYear.
std::optional<double> jstMomentOfLongitude(int year, int degrees);

// The same moment by low-accuracy formulae, within twenty minutes: enough for the day of
// every crossing not near midnight, at a small fraction of the cost.
std::optional<double> roughJstMomentOfLongitude(int year, int degrees);

// The days of the sun for one generation: each crossing is computed once, and only when a rule
// asks for it.
class SolarDays {
  public:
    // The day (JST) of jstMomentOfLongitude, invalid when there is none in the year.
    QDate dayOfLongitude(int year, int degrees);

  private:
    struct Known {
        int year;
        int degrees;
        QDate day;
    };
    std::vector<Known> known_;
};

// Between dynamical time (TT), in which the ephemerides run, and Japan Standard Time, both as Julian
// dates, by the same clock correction as the crossings above.
double jstOfDynamicalTime(double jdTT);
double dynamicalTimeOfJst(double jdJst);

// The day (JST) of a crossing by the rough formulae alone, and whether it lies so near midnight
// that only jstMomentOfLongitude can tell the day: for callers to whom most days do not matter.
struct RoughDay {
    QDate day;
    bool doubtful = false;
};
RoughDay roughDayOfLongitude(int year, int degrees);

} // namespace hibimo
