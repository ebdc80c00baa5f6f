#pragma once

#include <QStringView>

namespace hibimo {

// The leading number of a text, as every month, day and count of the files is read: leading
// blanks skipped, an optional sign, digits with an optional decimal fraction, the rest ignored
// ("1/" reads as 1, "" and "x" as 0). The value is rounded to an integer, half to even; values far
// outside any index range are clamped so that callers only need a range check.
int numberFromText(QStringView text);

// Characters [start, start + length) of text, clamped to the text (never out of bounds).
QStringView textChars(QStringView text, qsizetype start, qsizetype length);

// A number as two digits ("07"), or its plain digits when it has more.
QString twoDigits(int number);

// A year as the four digits of its file name and its captions ("0999"): one year, one file.
QString fourDigits(int number);

} // namespace hibimo
