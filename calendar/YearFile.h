#pragma once

#include "calendar/CalendarModule.h"

#include <QByteArrayView>
#include <QString>

namespace hibimo {

struct CalendarModule;

// Path of the year calendar file "HB<yyyy>.hbd": the year's digits, at least four of them.
QString yearFilePath(const CalendarModule& m, const QString& yyyy);

// Text of the year calendar file for the current DayItem/PubLine/PrivLine, or for given tables.
QString yearFileText(const CalendarModule& m);
QString yearFileText(const YearItems& dayItem, const YearLines& pubLine, const YearLines& privLine);

// Reads a whole year file's bytes into year tables (DayItem must start empty); the number of the
// record at fault, or 0 when the file was read to its end. What was read before a fault stays.
int readYearTables(QByteArrayView bytes, YearItems& dayItem, YearLines& pubLine, YearLines& privLine);

// Writes the year calendar file of yyyy; a failure shows its message and leaves the old file.
// Returns whether the file was written; a written file holds every change, so LoadedYearChanged is
// cleared with it.
bool PCwrite(CalendarModule& m, const QString& yyyy);

} // namespace hibimo
