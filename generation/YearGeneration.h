#pragma once

#include "calendar/CalendarModule.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace hibimo {

// Generates year yyyy from the two list files into DayItem (keeping marks, month memos and line
// texts), sets LoadedYear and writes the year file. A faulty list shows its message and ends the
// program without writing anything.
void YearMake(CalendarModule& m, const QString& yyyy);

// The generation step of YearMake alone, in memory: replaces the generated entries of items (days
// 1..31 of every month; marks keep their text, month memos stay) by those of the two list texts
// for the year. False, with items unchanged, when a list is faulty or the year is not 1..9999.
bool generateYear(YearItems& items, QStringView holyText, QStringView birthText, int year);

// The years other than the loaded one that have a file, in order.
QStringList otherYearsWithFiles(const CalendarModule& m);

// Regenerates the file of each year from the two list files as YearMake does for the loaded year,
// keeping its marks, memos and line texts; the loaded year's tables are not touched. Returns the
// years whose file could not be read or written: those files are left as they were.
QStringList regenerateYearFiles(CalendarModule& m, const QStringList& years);

} // namespace hibimo
