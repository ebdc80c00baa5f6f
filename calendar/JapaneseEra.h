#pragma once

#include <QDate>
#include <QString>

namespace hibimo {

// The Japanese era (和暦) by ICU's Japanese calendar, so that a new era comes with a library update.
// Eras change on their real day, and the first year of an era is written 元年. Both are empty for a
// day before the Gregorian calendar came to Japan (1873).

// "令和9年", or "平成31年／令和元年" for a year that holds two eras.
QString warekiYearText(int year);

// The era and year of one day: "平成31年" on 2019-04-30, "令和元年" on 2019-05-01.
QString warekiOf(QDate date);

} // namespace hibimo
