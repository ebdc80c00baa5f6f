#include "generation/SolarTerms.h"

#include <cmath>
#include <libnova/nutation.h>
#include <libnova/solar.h>
#include <unordered_map>

namespace hibimo {

namespace {

constexpr double J2000 = 2451545.0;
constexpr double DaysPerCentury = 36525.0;
constexpr double ArcSecond = 1.0 / 3600.0;
constexpr double MeanDegreesPerDay = 360.0 / 365.2422;

// Into [-180, 180), so that a difference of longitudes near 0° does not jump by a full turn.
double signedDegrees(double degrees) {
    return degrees - 360.0 * std::floor((degrees + 180.0) / 360.0);
}

// libnova gives VSOP87 on the ecliptic and equinox of J2000 and its own "apparent" longitude stays
// there, without aberration; so the remaining steps of Meeus, Astronomical Algorithms (2nd ed.),
// chapters 21 and 25, are taken here: general precession in longitude (IAU 1976), the FK5 frame
// correction, nutation in longitude (libnova's IAU 1980 series) and the annual aberration.
double apparentLongitude(double jdTT) {
    ln_helio_posn sun;
    ln_get_solar_geom_coords(jdTT, &sun);
    const double t = (jdTT - J2000) / DaysPerCentury;
    const double precession = (5029.0966 * t + 1.11113 * t * t - 0.000006 * t * t * t) * ArcSecond;
    ln_nutation nutation;
    ln_get_nutation(jdTT, &nutation);
    const double aberration = -20.4898 * ArcSecond / sun.R;
    return sun.L + precession - 0.09033 * ArcSecond + nutation.longitude + aberration;
}

// TT − UT in seconds by the polynomials of Espenak and Meeus (Five Millennium Canon of Solar
// Eclipses, NASA/TP-2006-214141). libnova's own table ends in the 1990s and its extrapolation is a
// minute too large today.
double deltaTSeconds(double year) {
    if (year < 1920) {
        const double t = year - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000197 * t * t * t * t;
    }
    if (year < 1941) {
        const double t = year - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (year < 1961) {
        const double t = year - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (year < 1986) {
        const double t = year - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (year < 2005) {
        const double t = year - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * t * t * t * t +
               0.00002373599 * t * t * t * t * t;
    }
    if (year < 2050) {
        const double t = year - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (year - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - year);
}

constexpr double JstDays = 9.0 / 24;
constexpr double Degree = M_PI / 180;

double jdOfJstMidnight(int year) {
    return static_cast<double>(QDate(year, 1, 1).toJulianDay()) - 0.5 - JstDays;
}

double utOf(double jdTT) {
    return jdTT - deltaTSeconds(2000 + (jdTT - J2000) / 365.25) / 86400;
}

// The sun's apparent longitude to about 0.01° (Meeus, chapter 25, the low-accuracy formulae 25.2 to
// 25.8) and its rate in degrees a day: a few sines where VSOP87 costs a thousand.
struct RoughSun {
    double longitude;
    double rate;
};

RoughSun roughSun(double jdTT) {
    const double t = (jdTT - J2000) / DaysPerCentury;
    const double mean = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
    const double m = (357.52911 + 35999.05029 * t - 0.0001537 * t * t) * Degree;
    const double centre = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(m) +
                          (0.019993 - 0.000101 * t) * std::sin(2 * m) + 0.000289 * std::sin(3 * m);
    const double node = (125.04 - 1934.136 * t) * Degree;
    const double anomalyRate = 35999.05029 / DaysPerCentury * Degree;
    const double rate = 36000.76983 / DaysPerCentury +
                        anomalyRate * (1.914602 * std::cos(m) + 2 * 0.019993 * std::cos(2 * m));
    return {mean + centre - 0.00569 - 0.00478 * std::sin(node), rate};
}

// Newton steps on a longitude function from a guess; the rough rate serves both functions.
template <typename Longitude>
double crossingFrom(double jdTT, double degrees, int steps, Longitude longitude) {
    for (int step = 0; step < steps; ++step)
        jdTT += signedDegrees(degrees - longitude(jdTT)) / roughSun(jdTT).rate;
    return jdTT;
}

// The crossing on or after the start of the year by the rough formulae, in TT.
std::optional<double> roughCrossing(int year, int degrees) {
    if (year < FirstSolarYear || year > LastSolarYear)
        return std::nullopt;
    const double start = jdOfJstMidnight(year);
    const double startTT = start + deltaTSeconds(year) / 86400;
    const double ahead = std::fmod(std::fmod(degrees - roughSun(startTT).longitude, 360.0) + 360.0, 360.0);
    const auto rough = [](double tt) { return roughSun(tt).longitude; };
    double crossing = crossingFrom(startTT + ahead / MeanDegreesPerDay, degrees, 4, rough);
    if (utOf(crossing) < start)
        crossing = crossingFrom(crossing + 365.2422, degrees, 4, rough);
    return crossing;
}

// From the rough crossing, two steps on the full longitude are below a second.
double exactCrossing(double roughTT, double degrees) {
    return crossingFrom(roughTT, degrees, 2, apparentLongitude);
}

// The rough moment is within twenty minutes of the exact one in 1900..2150 (the tests hold it
// to that); only a crossing this near midnight needs the full computation to know its day.
constexpr double RoughMarginDays = 40.0 / 1440;

} // namespace

std::optional<double> jstMomentOfLongitude(int year, int degrees) {
    const std::optional<double> rough = roughCrossing(year, degrees);
    if (!rough)
        return std::nullopt;
    return utOf(exactCrossing(*rough, degrees)) + JstDays;
}

std::optional<double> roughJstMomentOfLongitude(int year, int degrees) {
    const std::optional<double> rough = roughCrossing(year, degrees);
    if (!rough)
        return std::nullopt;
    return utOf(*rough) + JstDays;
}

namespace {

QDate computedDayOfLongitude(int year, int degrees) {
    std::optional<double> moment = roughJstMomentOfLongitude(year, degrees);
    if (!moment)
        return {};
    const double sinceMidnight = *moment + 0.5 - std::floor(*moment + 0.5);
    if (sinceMidnight < RoughMarginDays || sinceMidnight > 1 - RoughMarginDays)
        moment = jstMomentOfLongitude(year, degrees);
    const QDate day = QDate::fromJulianDay(static_cast<qint64>(std::floor(*moment + 0.5)));
    return day.year() == year ? day : QDate();
}

// A crossing never changes, and a year near midnight costs the full series: each is computed once
// for the life of the program, whichever generation, rule or display asks for it first. Only the
// years of the sun are kept, at most 251 × 360 days.
QDate sharedDayOfLongitude(int year, int degrees) {
    if (year < FirstSolarYear || year > LastSolarYear || degrees < 0 || degrees >= 360)
        return computedDayOfLongitude(year, degrees);
    thread_local std::unordered_map<int, QDate> known;
    const int key = (year - FirstSolarYear) * 360 + degrees;
    const auto found = known.find(key);
    if (found != known.end())
        return found->second;
    return known.emplace(key, computedDayOfLongitude(year, degrees)).first->second;
}

} // namespace

QDate SolarDays::dayOfLongitude(int year, int degrees) {
    for (const Known& k : known_)
        if (k.year == year && k.degrees == degrees)
            return k.day;
    const QDate day = sharedDayOfLongitude(year, degrees);
    known_.push_back({year, degrees, day});
    return day;
}

double jstOfDynamicalTime(double jdTT) {
    return utOf(jdTT) + JstDays;
}

double dynamicalTimeOfJst(double jdJst) {
    const double ut = jdJst - JstDays;
    return ut + deltaTSeconds(2000 + (ut - J2000) / 365.25) / 86400;
}

RoughDay roughDayOfLongitude(int year, int degrees) {
    const std::optional<double> moment = roughJstMomentOfLongitude(year, degrees);
    if (!moment)
        return {};
    const double sinceMidnight = *moment + 0.5 - std::floor(*moment + 0.5);
    return {QDate::fromJulianDay(static_cast<qint64>(std::floor(*moment + 0.5))),
            sinceMidnight < RoughMarginDays || sinceMidnight > 1 - RoughMarginDays};
}

} // namespace hibimo
