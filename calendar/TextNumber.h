#pragma once

#include <QStringView>
#include <optional>

namespace hibimo {

// The two ways the program reads a number from a text: an optional sign, ASCII digits and an
// optional decimal fraction, the rest ignored; nothing that makes a number reads as 0.
enum class NumberReading {
    // The files: blanks and tabs before the number skipped ("1/" reads as 1).
    Leading,
    // A typed answer: blanks, tabs and line breaks skipped wherever they stand (" 1 2" is 12), and an
    // exponent read ("1e1" is 10).
    Typed,
};
double numberValue(QStringView text, NumberReading reading);

// The leading number, as every month, day and count of the files is read. The value is rounded to
// an integer, half to even; values far outside any index range are clamped so that callers only
// need a range check.
int numberFromText(QStringView text);

// The value of a text made only of ASCII digits ("0527" is 527); nothing for an empty text or any
// other character. The fixed positions of the rule forms are read this way, so that a form never
// depends on how a full-width digit or a blank would be read.
std::optional<int> asciiDigits(QStringView text);

// Characters [start, start + length) of text, clamped to the text (never out of bounds).
QStringView textChars(QStringView text, qsizetype start, qsizetype length);

// A number as two digits ("07"), or its plain digits when it has more.
QString twoDigits(int number);

// A year as the four digits of its file name and its captions ("0999"): one year, one file.
QString fourDigits(int number);

} // namespace hibimo
