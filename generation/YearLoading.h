#pragma once

#include "calendar/CalendarModule.h"
#include "calendar/YearFile.h"

#include <QByteArrayView>
#include <QString>

namespace hibimo {

// Loads the year file of yyyy into DayItem/PubLine/PrivLine; a year without a file is generated
// (with its message). A damaged file shows the record number and ends
// the program.
void YearLoad(CalendarModule& m, const QString& yyyy);

// Loads January (NewMonthText 12) or December (NewMonthText 1) of the neighbouring year yyyy into
// NbDayItem/NbPubLine/NbPrivLine, creating that year's file when it has none (its month is then
// read from the new file by a second call).
void NbMonthLoad(CalendarModule& m, const QString& yyyy);

} // namespace hibimo
