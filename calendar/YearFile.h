#pragma once

#include <QString>

namespace hibimo {

struct CalendarModule;

// Path of the year calendar file "HB<yyyy>.hbd": the year's digits, at least four of them.
QString yearFilePath(const CalendarModule& m, const QString& yyyy);

// Text of the year calendar file for the current DayItem/PubLine/PrivLine.
QString yearFileText(const CalendarModule& m);

// Writes the year calendar file of yyyy; a failure shows its message and leaves the old file.
// Returns whether the file was written; a written file holds every change, so LoadedYearChanged is
// cleared with it.
bool PCwrite(CalendarModule& m, const QString& yyyy);

} // namespace hibimo
