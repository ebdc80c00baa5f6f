#include "calendar/TextNumber.h"

#include <QString>
#include <cmath>

namespace hibimo {

namespace {
constexpr double NumberLimit = 1e9;

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

int numberFromText(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    double sign = 1;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        sign = text[i] == QLatin1Char('-') ? -1 : 1;
        ++i;
    }
    double value = 0;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i)
        value = std::min(value * 10 + (text[i].unicode() - '0'), NumberLimit);
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        double scale = 0.1;
        for (++i; i < text.size() && isAsciiDigit(text[i]); ++i, scale /= 10)
            value += (text[i].unicode() - '0') * scale;
    }
    return static_cast<int>(std::nearbyint(sign * value));
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
