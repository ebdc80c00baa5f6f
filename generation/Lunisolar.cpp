#include "generation/Lunisolar.h"

#include "generation/SolarTerms.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <libnova/lunar.h>
#include <libnova/solar.h>
#include <utility>

namespace hibimo {

namespace {

constexpr double Degree = M_PI / 180;
constexpr double SynodicMonth = 29.530588861;
constexpr double FirstNewMoon2000 = 2451550.09766; // lunation 0, TT

double sinDeg(double degrees) {
    return std::sin(std::fmod(degrees, 360.0) * Degree);
}

// The periodic terms of the true new moon, Meeus, Astronomical Algorithms (2nd ed.), chapter 49.
// Each row: coefficient, power of the eccentricity factor E, multiples of M, M', F and Ω.
struct Term {
    double coefficient;
    int e, m, mPrime, f, omega;
};
constexpr std::array<Term, 25> NewMoonTerms{{
    {-0.40720, 0, 0, 1, 0, 0}, {0.17241, 1, 1, 0, 0, 0},    {0.01608, 0, 0, 2, 0, 0},
    {0.01039, 0, 0, 0, 2, 0},  {0.00739, 1, -1, 1, 0, 0},   {-0.00514, 1, 1, 1, 0, 0},
    {0.00208, 2, 2, 0, 0, 0},  {-0.00111, 0, 0, 1, -2, 0},  {-0.00057, 0, 0, 1, 2, 0},
    {0.00056, 1, 1, 2, 0, 0},  {-0.00042, 0, 0, 3, 0, 0},   {0.00042, 1, 1, 0, 2, 0},
    {0.00038, 1, 1, 0, -2, 0}, {-0.00024, 1, -1, 2, 0, 0},  {-0.00017, 0, 0, 0, 0, 1},
    {-0.00007, 0, 2, 1, 0, 0}, {0.00004, 0, 0, 2, -2, 0},   {0.00004, 0, 3, 0, 0, 0},
    {0.00003, 0, 1, 1, -2, 0}, {0.00003, 0, 0, 2, 2, 0},    {-0.00003, 0, 1, 1, 2, 0},
    {0.00003, 0, -1, 1, 2, 0}, {-0.00002, 0, -1, 1, -2, 0}, {-0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0, 0, 4, 0, 0},
}};

// The planetary arguments of the same chapter: coefficient, A at lunation 0, its rate per lunation.
constexpr std::array<std::array<double, 3>, 13> PlanetaryTerms{{{0.000165, 251.88, 0.016321},
                                                                {0.000164, 251.83, 26.651886},
                                                                {0.000126, 349.42, 36.412478},
                                                                {0.000110, 84.66, 18.206239},
                                                                {0.000062, 141.74, 53.303771},
                                                                {0.000060, 207.14, 2.453732},
                                                                {0.000056, 154.84, 7.306860},
                                                                {0.000047, 34.52, 27.261239},
                                                                {0.000042, 207.19, 0.121824},
                                                                {0.000040, 291.34, 1.844379},
                                                                {0.000037, 161.72, 24.198154},
                                                                {0.000035, 239.56, 25.513099},
                                                                {0.000023, 331.55, 3.592518}}};

// Within half a minute of the full lunar theory in 1900..2150.
double newMoonTT(int lunation) {
    const double k = lunation;
    const double t = k / 1236.85;
    const double t2 = t * t;
    double jde = FirstNewMoon2000 + SynodicMonth * k + 0.00015437 * t2 - 0.000000150 * t2 * t +
                 0.00000000073 * t2 * t2;
    const double e = 1 - 0.002516 * t - 0.0000074 * t2;
    const double m = 2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t2 * t;
    const double mPrime =
        201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t2 * t - 0.000000058 * t2 * t2;
    const double f =
        160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t2 * t + 0.000000011 * t2 * t2;
    const double omega = 124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t2 * t;
    for (const Term& term : NewMoonTerms)
        jde += term.coefficient * std::pow(e, term.e) *
               sinDeg(term.m * m + term.mPrime * mPrime + term.f * f + term.omega * omega);
    jde += 0.000325 * sinDeg(299.77 + 0.107408 * k - 0.009173 * t2);
    for (const auto& [coefficient, start, rate] : PlanetaryTerms)
        jde += coefficient * sinDeg(start + rate * k);
    return jde;
}

// The moon's longitude less the sun's apparent one, by ELP 2000-82B and VSOP87 in the same frame
// (the sun's annual aberration is the one term between them that a minute can feel).
double elongation(double jdTT) {
    ln_lnlat_posn moon;
    ln_get_lunar_ecl_coords(jdTT, &moon, 1e-6);
    ln_helio_posn sun;
    ln_get_solar_geom_coords(jdTT, &sun);
    const double difference = moon.lng - sun.L + 20.4898 / 3600 / sun.R;
    return difference - 360.0 * std::floor((difference + 180.0) / 360.0);
}

// Only a new moon this near midnight can fall on the other day than the series says; the full
// theory costs as much as a year of the series, so it decides only those.
constexpr double NewMoonMarginDays = 2.0 / 1440;

QDate dayOfJulian(double jd) {
    return QDate::fromJulianDay(static_cast<qint64>(std::floor(jd + 0.5)));
}

// The lunation whose new moon falls on the day or before it, from a guess that is off by one at most.
int lunationOnOrBefore(const QDate& day) {
    int k = static_cast<int>(std::floor((day.toJulianDay() - FirstNewMoon2000) / SynodicMonth));
    while (dayOfNewMoon(k) > day)
        --k;
    while (dayOfNewMoon(k + 1) <= day)
        ++k;
    return k;
}

// The month numbers of a run of months between two 11th months: a leap month only where there
// are thirteen, and then the first holding no principal term.
void numberMonths(std::vector<LunarMonth>& months, const std::vector<QDate>& principalDays, int year) {
    const bool thirteen = months.size() == 14;
    bool leapFound = false;
    int number = 10;
    int lunarYear = year - 1;
    for (size_t i = 0; i + 1 < months.size(); ++i) {
        LunarMonth& month = months[i];
        bool holdsTerm = false;
        for (const QDate& term : principalDays)
            holdsTerm = holdsTerm || (month.first <= term && term < months[i + 1].first);
        month.leap = thirteen && !leapFound && !holdsTerm && i > 0;
        leapFound = leapFound || month.leap;
        if (!month.leap)
            number = number % 12 + 1;
        if (number == 1 && !month.leap)
            lunarYear = year;
        month.number = number;
        month.year = lunarYear;
    }
    months.back() = {months.back().first, year, 11, false};
}

// The day of a term by the rough formulae, unless it lies near a midnight on which a month may
// begin: only there does its day decide anything, and the full solar theory is costly.
template <typename MonthBegins> QDate termDay(int year, int degrees, MonthBegins monthBegins) {
    const RoughDay rough = roughDayOfLongitude(year, degrees);
    if (!rough.doubtful || !(monthBegins(rough.day) || monthBegins(rough.day.addDays(1))))
        return rough.day;
    return dayOfJulian(*jstMomentOfLongitude(year, degrees));
}

QDate solsticeDay(int year) {
    return termDay(year, 270, [](const QDate& day) { return dayOfNewMoon(lunationOnOrBefore(day)) == day; });
}

std::vector<LunarMonth> computeMonths(int year) {
    const QDate from = solsticeDay(year - 1);
    const QDate until = solsticeDay(year);
    if (!from.isValid() || !until.isValid())
        return {};
    std::vector<LunarMonth> months;
    for (int k = lunationOnOrBefore(from); months.empty() || months.back().first <= until; ++k)
        months.push_back({dayOfNewMoon(k), 0, 0, false});
    months.pop_back();
    const auto monthBegins = [&months](const QDate& day) {
        return std::any_of(months.begin(), months.end(), [&](const LunarMonth& m) { return m.first == day; });
    };
    std::vector<QDate> principalDays;
    for (int degrees = 0; degrees < 360; degrees += 30)
        if (degrees != 270)
            principalDays.push_back(termDay(year, degrees, monthBegins));
    numberMonths(months, principalDays, year);
    return months;
}

// A few solstice years per thread: a month page and its neighbours touch two of them.
const std::vector<LunarMonth>& cachedMonths(int year) {
    thread_local std::array<std::pair<int, std::vector<LunarMonth>>, 4> cache{};
    thread_local size_t next = 0;
    for (const auto& [cachedYear, months] : cache)
        if (cachedYear == year)
            return months;
    auto& slot = cache[next];
    next = (next + 1) % cache.size();
    slot = {year, computeMonths(year)};
    return slot.second;
}

} // namespace

std::vector<LunarMonth> monthsBetweenSolstices(int year) {
    return cachedMonths(year);
}

double jstMomentOfNewMoon(int lunation) {
    return jstOfDynamicalTime(newMoonTT(lunation));
}

QDate dayOfNewMoon(int lunation) {
    const double moment = jstMomentOfNewMoon(lunation);
    const double nearestMidnight = std::round(moment + 0.5) - 0.5;
    if (std::abs(moment - nearestMidnight) >= NewMoonMarginDays)
        return dayOfJulian(moment);
    const bool before = elongation(dynamicalTimeOfJst(nearestMidnight)) >= 0;
    return dayOfJulian(before ? nearestMidnight - 0.25 : nearestMidnight + 0.25);
}

LunarDate lunarDateOf(QDate date) {
    if (!date.isValid())
        return {};
    int year = date.year();
    const std::vector<LunarMonth>* months = &cachedMonths(year);
    if (!months->empty() && date >= months->back().first)
        months = &cachedMonths(++year);
    if (months->empty())
        return {};
    size_t i = months->size() - 1;
    while (i > 0 && (*months)[i].first > date)
        --i;
    const LunarMonth& month = (*months)[i];
    return {month.year, month.number, static_cast<int>(month.first.daysTo(date)) + 1, month.leap};
}

QString rokuyoOf(QDate date) {
    constexpr QStringView Names = u"大安赤口先勝友引先負仏滅";
    const LunarDate lunar = lunarDateOf(date);
    return lunar.isValid() ? Names.sliced((lunar.month + lunar.day) % 6 * 2, 2).toString() : QString();
}

QString shortLunarText(const LunarDate& date) {
    if (!date.isValid())
        return {};
    return (date.leap ? QStringLiteral("閏%1/%2") : QStringLiteral("旧%1/%2")).arg(date.month).arg(date.day);
}

QString almanacText(QDate date) {
    const QString rokuyo = rokuyoOf(date);
    return rokuyo.isEmpty() ? QString() : rokuyo + QLatin1Char(' ') + shortLunarText(lunarDateOf(date));
}

} // namespace hibimo
