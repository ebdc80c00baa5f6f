#include "generation/RuleForms.h"

#include "calendar/TextNumber.h"

namespace hibimo {

namespace {

// A year of a range: four digits, or "????" for an open end as the anniversary list writes it.
std::optional<int> rangeYear(QStringView text, int open) {
    if (text == u"????")
        return open;
    return asciiDigits(text);
}

// Counted from 春分, 15 degrees apart.
constexpr QStringView SolarTermNames =
    u"春分清明穀雨立夏小満芒種夏至小暑大暑立秋処暑白露秋分寒露霜降立冬小雪大雪冬至小寒大寒立春雨水啓蟄";

std::optional<SunRule> termRule(QStringView body) {
    if (body.size() < 6 || (body[2] != QLatin1Char('+') && body[2] != QLatin1Char('-')))
        return std::nullopt;
    const int degrees = solarTermDegrees(body.sliced(0, 2));
    const std::optional<int> days = asciiDigits(body.sliced(3, 3));
    if (degrees < 0 || !days)
        return std::nullopt;
    return SunRule{SunRule::Term, degrees, body[2] == QLatin1Char('-') ? -*days : *days, 6};
}

std::optional<SunRule> degreeRule(QStringView body, QStringView prefix, SunRule::Kind kind) {
    const qsizetype length = prefix.size() + 3;
    if (body.size() < length || !body.startsWith(prefix))
        return std::nullopt;
    const std::optional<int> degrees = asciiDigits(body.sliced(prefix.size(), 3));
    if (!degrees || *degrees >= 360 || (kind == SunRule::FirstOxDay && *degrees % 90 != 27))
        return std::nullopt;
    return SunRule{kind, *degrees, 0, length};
}

} // namespace

int solarTermDegrees(QStringView name) {
    if (name.size() != 2)
        return -1;
    for (qsizetype i = 0; i < SolarTermNames.size(); i += 2)
        if (SolarTermNames.sliced(i, 2) == name)
            return static_cast<int>(i / 2 * 15);
    return -1;
}

std::optional<SunRule> sunRuleOf(QStringView body) {
    if (body.size() < 5)
        return std::nullopt;
    if (body[0] == QChar(u'黄'))
        return degreeRule(body, u"黄経", SunRule::Longitude);
    if (body[0] == QChar(u'土'))
        return degreeRule(body, u"土用丑", SunRule::FirstOxDay);
    return termRule(body);
}

std::optional<YearRange> yearRangeOf(QStringView body) {
    if (body.size() < YearRangeLength || body[4] != QLatin1Char('-') ||
        (body[9] != QLatin1Char(' ') && body[9] != QChar(0x3000)))
        return std::nullopt;
    const std::optional<int> from = rangeYear(body.sliced(0, 4), 0);
    const std::optional<int> until = rangeYear(body.sliced(5, 4), 9999);
    if (!from || !until)
        return std::nullopt;
    return YearRange{*from, *until};
}

std::optional<OneOffDate> oneOffDateOf(QStringView body) {
    if (body.size() < OneOffLength || body[4] != QLatin1Char('/') || body[7] != QLatin1Char('/'))
        return std::nullopt;
    const std::optional<int> year = asciiDigits(body.sliced(0, 4));
    const std::optional<int> month = asciiDigits(body.sliced(5, 2));
    const std::optional<int> day = asciiDigits(body.sliced(8, 2));
    if (!year || !month || !day)
        return std::nullopt;
    return OneOffDate{*year, *month, *day};
}

// Every rule of a list goes through these tests: the first differing character rejects the older
// forms before any comparison of whole words.
int equinoxMonthOf(QStringView body) {
    if (body.size() < DatePartLength || (body[3] != QChar(u'春') && body[3] != QChar(u'秋')))
        return 0;
    if (body.startsWith(u"03/春分"))
        return 3;
    if (body.startsWith(u"09/秋分"))
        return 9;
    return 0;
}

bool isBetweenDaysRule(QStringView body) {
    return !body.isEmpty() && body[0] == QChar(u'挟') && body.startsWith(u"挟まれた日");
}

int equinoxDay(int year, int month) {
    const bool spring = month == 3;
    double base = 0;
    int leapBase = 1980;
    if (year >= 1900 && year <= 1979) {
        base = spring ? 20.8357 : 23.2588;
        leapBase = 1983;
    } else if (year >= 1980 && year <= 2099) {
        base = spring ? 20.8431 : 23.2488;
    } else if (year >= 2100 && year <= 2150) {
        base = spring ? 21.8510 : 24.2488;
    } else {
        return 0;
    }
    // Both int() of the formula truncate toward zero, also for the negative leap term before 1983.
    const int leapDays = (year - leapBase) / 4;
    return static_cast<int>(base + 0.242194 * (year - 1980) - leapDays);
}

} // namespace hibimo
