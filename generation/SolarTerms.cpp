#include "generation/SolarTerms.h"

#include <cmath>
#include <libnova/nutation.h>
#include <libnova/solar.h>

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

double jdOfJstMidnight(int year) {
    return static_cast<double>(QDate(year, 1, 1).toJulianDay()) - 0.5 - JstDays;
}

// The crossing nearest to a first guess: secant steps on the longitude, which moves almost evenly,
// so that three or four evaluations reach a fraction of a second.
double crossingNear(double jdTT, double degrees) {
    double t0 = jdTT;
    double d0 = signedDegrees(degrees - apparentLongitude(t0));
    double t1 = t0 + d0 / MeanDegreesPerDay;
    for (int step = 0; step < 10; ++step) {
        const double d1 = signedDegrees(degrees - apparentLongitude(t1));
        if (std::abs(d1) < 1e-7 || d1 == d0)
            break;
        const double next = t1 - d1 * (t1 - t0) / (d1 - d0);
        t0 = t1;
        d0 = d1;
        t1 = next;
    }
    return t1;
}

} // namespace

std::optional<double> jstMomentOfLongitude(int year, int degrees) {
    if (year < FirstSolarYear || year > LastSolarYear)
        return std::nullopt;
    const double start = jdOfJstMidnight(year);
    const double startTT = start + deltaTSeconds(year) / 86400;
    // The sun's mean longitude gives the guess (Meeus 25.2 with the equation of the centre's main
    // term), within a day of the crossing.
    const double t = (startTT - J2000) / DaysPerCentury;
    const double meanAnomaly = (357.52911 + 35999.05029 * t) * M_PI / 180;
    const double longitude = 280.46646 + 36000.76983 * t + 1.9146 * std::sin(meanAnomaly);
    const double ahead = std::fmod(std::fmod(degrees - longitude, 360.0) + 360.0, 360.0);
    double crossingTT = crossingNear(startTT + ahead / MeanDegreesPerDay, degrees);
    const auto ut = [](double tt) {
        const double year = 2000 + (tt - J2000) / 365.25;
        return tt - deltaTSeconds(year) / 86400;
    };
    // A guess near the start of the year can land on the crossing of the year before.
    if (ut(crossingTT) < start)
        crossingTT = crossingNear(crossingTT + 365.2422, degrees);
    return ut(crossingTT) + JstDays;
}

QDate SolarDays::dayOfLongitude(int year, int degrees) {
    for (const Known& k : known_)
        if (k.year == year && k.degrees == degrees)
            return k.day;
    QDate day;
    if (const std::optional<double> moment = jstMomentOfLongitude(year, degrees)) {
        day = QDate::fromJulianDay(static_cast<qint64>(std::floor(*moment + 0.5)));
        if (day.year() != year)
            day = {};
    }
    known_.push_back({year, degrees, day});
    return day;
}

} // namespace hibimo
