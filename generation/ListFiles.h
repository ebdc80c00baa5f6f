#pragma once

#include <QString>

namespace hibimo {

struct CalendarModule;

inline const QString HolyFileName = QStringLiteral("HBHolyD.dat");
inline const QString BirthFileName = QStringLiteral("HBBirth.dat");

// Tells that a list file holds text after its closing quote, which no reader takes (a line added
// with a text editor): the file's name and the start of that text.
QString unreadListTextMessage(const QString& fileName, const QString& unread);

// Reads HBHolyD.dat into HolyText, or shows its message and falls back to the built-in list.
void HolyLoad(CalendarModule& m);
// Reads HBBirth.dat into BirthText, or shows its message and falls back to the built-in list.
void BirthLoad(CalendarModule& m);

} // namespace hibimo
