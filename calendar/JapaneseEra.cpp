#include "calendar/JapaneseEra.h"

#include <memory>
#include <unicode/calendar.h>
#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

namespace hibimo {

namespace {

constexpr int FirstGregorianYear = 1873;
constexpr qint64 UnixEpochJulianDay = 2440588;
constexpr double MsPerDay = 86400000.0;

// The era names come from the Japanese locale's data, not the machine's locale, and the calendar
// runs in UTC so a day given at noon cannot slip to another.
struct EraCalendar {
    std::unique_ptr<icu::Calendar> calendar;
    std::unique_ptr<icu::DateFormatSymbols> symbols;
    const icu::UnicodeString* eras = nullptr;
    int32_t eraCount = 0;

    EraCalendar() {
        UErrorCode status = U_ZERO_ERROR;
        const icu::Locale japanese("ja_JP@calendar=japanese");
        calendar.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), japanese, status));
        symbols = std::make_unique<icu::DateFormatSymbols>(japanese, "japanese", status);
        if (U_FAILURE(status)) {
            calendar.reset();
            return;
        }
        eras = symbols->getEras(eraCount);
    }
};

QString eraYearOf(const QDate& date) {
    thread_local EraCalendar era;
    if (!era.calendar || !date.isValid() || date.year() < FirstGregorianYear)
        return {};
    UErrorCode status = U_ZERO_ERROR;
    era.calendar->setTime((static_cast<double>(date.toJulianDay() - UnixEpochJulianDay) + 0.5) * MsPerDay,
                          status);
    const int32_t index = era.calendar->get(UCAL_ERA, status);
    const int32_t year = era.calendar->get(UCAL_YEAR, status);
    if (U_FAILURE(status) || index < 0 || index >= era.eraCount)
        return {};
    const icu::UnicodeString& name = era.eras[index];
    const QString eraName(reinterpret_cast<const QChar*>(name.getBuffer()), name.length());
    return eraName + (year == 1 ? QStringLiteral("元年") : QStringLiteral("%1年").arg(year));
}

} // namespace

QString warekiYearText(int year) {
    const QString first = eraYearOf(QDate(year, 1, 1));
    const QString last = eraYearOf(QDate(year, 12, 31));
    if (first.isEmpty() || first == last)
        return last;
    return first + QStringLiteral("／") + last;
}

QString warekiOf(QDate date) {
    return eraYearOf(date);
}

} // namespace hibimo
