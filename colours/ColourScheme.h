#pragma once

#include "colours/ColourSlots.h"

namespace hibimo {

struct ColourModule;

// Every colour slot and setting to its default.
void ColorDefaults(ColourModule& m);
// Reads Hibimo.ini into ColorFile and loads that colour file; a failure shows its message.
void SettingsRead(ColourModule& m);
// Writes Hibimo.ini (ColorFile, or Default.ccf in the program's folder when empty).
void SettingsWrite(ColourModule& m);
// Writes the scheme to ColorFile.
void ColorSave(ColourModule& m);
// Reads the scheme from ColorFile; values read before a failure stay applied.
void ColorLoad(ColourModule& m);

// The days of the neighbouring months must stand out from the window: an other-month colour equal to
// the window's background moves one less (from 0 one more).
void keepOtherMonthApart(ColourScheme& s);

} // namespace hibimo
