#pragma once

#include "calendar/CalendarModule.h"

#include <QByteArrayView>
#include <QString>

namespace hibimo {

// Reads a whole year file's bytes into year tables (DayItem must start empty); the number of the
// record at fault, or 0 when the file was read to its end.
int readYearTables(QByteArrayView bytes, YearItems& dayItem, YearLines& pubLine, YearLines& privLine);

// Loads the year file of yyyy into DayItem/PubLine/PrivLine; a year without a file is generated
// (with its message). A damaged file shows the record number and ends
// the program.
void YearLoad(CalendarModule& m, const QString& yyyy);

// Loads January (NewMonthText 12) or December (NewMonthText 1) of the neighbouring year yyyy into
// NbDayItem/NbPubLine/NbPrivLine, creating that year's file when it has none (its month is then
// read from the new file by a second call).
void NbMonthLoad(CalendarModule& m, const QString& yyyy);

} // namespace hibimo
