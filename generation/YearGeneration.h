#pragma once

#include <QString>

namespace hibimo {

struct HbmModule;

// Generates year yyyy from the two list files into DayItem (keeping marks, month memos and line
// texts), sets LoadedYear and writes the year file. A faulty list shows its message and ends the
// program without writing anything.
void YearMake(HbmModule& m, const QString& yyyy);

} // namespace hibimo
