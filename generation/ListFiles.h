#pragma once

#include <QString>

namespace hibimo {

struct HbmModule;

inline const QString HolyFileName = QStringLiteral("HBHolyD.dat");
inline const QString BirthFileName = QStringLiteral("HBBirth.dat");

// Reads HBHolyD.dat into HolyText, or shows its message and falls back to the built-in list.
void HolyLoad(HbmModule& m);
// Reads HBBirth.dat into BirthText, or shows its message and falls back to the built-in list.
void BirthLoad(HbmModule& m);

} // namespace hibimo
