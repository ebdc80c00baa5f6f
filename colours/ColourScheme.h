#pragma once

#include "colours/ColourSlots.h"

#include <QtGlobal>
#include <vector>

namespace hibimo {

struct ColourModule;

// The 34 values of a scheme in the order of a colour file's lines 4 to 10.
std::vector<qint64> schemeValues(const ColourScheme& s);

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

// The other-month colour is how a day outside the shown month is known (its editing is refused): it
// must differ from the window's background and from every background a day of the shown month can
// have. Where it does not, it moves one less (from 0 one more) until it does.
void keepOtherMonthApart(ColourScheme& s);

} // namespace hibimo
