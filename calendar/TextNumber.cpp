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
} // namespace

double numberValue(QStringView text, NumberReading reading) {
    const bool typed = reading == NumberReading::Typed;
    auto isBlank = [typed](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || (typed && c == QLatin1Char('\n'));
    };
    // Only the ASCII of the number is kept, so the C locale reading below is exact. Numbers are read
    // by the thousand when a year is generated: short ones stay off the heap.
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
    const bool negative = at([](QChar c) { return c == QLatin1Char('-'); });
    const bool sign = negative || at([](QChar c) { return c == QLatin1Char('+'); });
    int count = digits();
    const bool fraction = at([](QChar c) { return c == QLatin1Char('.'); });
    if (fraction)
        count += digits();
    // A sign or a point alone is no number.
    if (count == 0)
        return 0;
    // The files' usual case, a whole number short enough to be exact in a double, without strtod.
    if (!typed && !fraction && count <= 15) {
        double value = 0;
        for (qsizetype k = sign ? 1 : 0; k < number.size(); ++k)
            value = value * 10 + (number[k] - '0');
        return negative ? -value : value;
    }
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
