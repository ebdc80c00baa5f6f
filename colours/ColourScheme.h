#pragma once

#include "colours/ColourSlots.h"

#include <QByteArrayView>
#include <QString>

namespace hibimo {

struct ColourModule;

// Every colour slot and setting to its default.
void ColorDefaults(ColourScheme& s);
// Reads Hibimo.ini into ColorFile and loads that colour file; a failure shows its message.
void SettingsRead(ColourModule& m);
// Writes Hibimo.ini (ColorFile, or Default.ccf in the program's folder when empty).
void SettingsWrite(ColourModule& m);
// Writes the scheme to ColorFile.
void ColorSave(ColourModule& m);
// Reads the scheme from ColorFile; values read before a failure stay applied.
void ColorLoad(ColourModule& m);

// What the functions above do between the file and the scheme, on bytes in memory. The settings'
// colour file into ColorFile; false when the settings are unreadable (a name read before the fault
// stays in ColorFile).
bool readSettings(QByteArrayView bytes, ColourScheme& s);
// A colour file into the scheme; false when it is faulty (values read before the fault stay).
bool readColourFile(QByteArrayView bytes, ColourScheme& s);
// The scheme as a colour file's text.
QString colourFileText(const ColourScheme& s);

// The days of the neighbouring months must stand out from the window: an other-month colour equal to
// the window's background moves one less (from 0 one more).
void keepOtherMonthApart(ColourScheme& s);

} // namespace hibimo
