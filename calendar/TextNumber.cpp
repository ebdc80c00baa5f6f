#include "calendar/TextNumber.h"

#include <QString>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hibimo {

namespace {
constexpr double NumberLimit = 1e9;

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The files' usual number, a short whole one after blanks, read as it stands; nothing for any other.
std::optional<double> wholeNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const bool negative = i < text.size() && text[i] == QLatin1Char('-');
    if (i < text.size() && (negative || text[i] == QLatin1Char('+')))
        ++i;
    const qsizetype end = std::min(text.size(), i + 16);
    qint64 value = 0;
    for (; i < end && isAsciiDigit(text[i]); ++i)
        value = value * 10 + (text[i].unicode() - '0');
    // A fraction or more digits than a double holds exactly go to strtod.
    if (i < text.size() && (isAsciiDigit(text[i]) || text[i] == QLatin1Char('.')))
        return std::nullopt;
    return static_cast<double>(negative ? -value : value);
}

} // namespace

double numberValue(QStringView text, NumberReading reading) {
    const bool typed = reading == NumberReading::Typed;
    // Numbers are read by the thousand when a year is generated.
    if (!typed) {
        if (const std::optional<double> whole = wholeNumber(text))
            return *whole;
    }
    auto isBlank = [typed](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || (typed && c == QLatin1Char('\n'));
    };
    // Only the ASCII of the number is kept, so the C locale reading below is exact.
    QVarLengthArray<char, 32> number;
    qsizetype i = 0;
    auto at = [&](auto accepts) {
        while (i < text.size() && typed && isBlank(text[i]))
            ++i;
        if (i >= text.size() || !accepts(text[i]))
            return false;
        number.append(char(text[i++].unicode()));
        return true;
    };
    auto digits = [&] {
        int count = 0;
        while (at(isAsciiDigit))
            ++count;
        return count;
    };
    while (i < text.size() && isBlank(text[i]))
        ++i;
    at([](QChar c) { return c == QLatin1Char('-') || c == QLatin1Char('+'); });
    int count = digits();
    const bool fraction = at([](QChar c) { return c == QLatin1Char('.'); });
    if (fraction)
        count += digits();
    // A sign or a point alone is no number.
    if (count == 0)
        return 0;
    const qsizetype mantissa = number.size();
    if (typed && at([](QChar c) { return c == QLatin1Char('E') || c == QLatin1Char('e'); })) {
        at([](QChar c) { return c == QLatin1Char('-') || c == QLatin1Char('+'); });
        if (digits() == 0)
            number.resize(mantissa);
    }
    number.append('\0');
    return std::strtod(number.constData(), nullptr);
}

int numberFromText(QStringView text) {
    const double value = numberValue(text, NumberReading::Leading);
    return static_cast<int>(std::nearbyint(std::clamp(value, -NumberLimit, NumberLimit)));
}

std::optional<int> asciiDigits(QStringView text) {
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (!isAsciiDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QStringView textChars(QStringView text, qsizetype start, qsizetype length) {
    if (start >= text.size() || length <= 0)
        return {};
    return text.sliced(start, std::min(length, text.size() - start));
}

QString twoDigits(int number) {
    return number >= 0 && number < 10 ? QLatin1Char('0') + QString::number(number) : QString::number(number);
}

QString fourDigits(int number) {
    return QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
}

} // namespace hibimo
