#pragma once

#include "colours/ColourSlots.h"

#include <QByteArrayView>
#include <QString>
#include <array>

namespace hibimo {

struct CalendarModule;

// A colour of the scheme, with its default and the button of the colour editor that sets it.
struct ColourSlot {
    int ColourScheme::*slot;
    int defaultValue;
    int editorRow;
    bool textColour; // the row's left button; otherwise its right one, the background
    // As the colour chooser's title names it; empty: the editor shows the colour but cannot change it.
    const char* chooserName;
};
// Every colour slot once, in the order of a colour file (its lines 4 to 8).
extern const std::array<ColourSlot, 31> SchemeSlots;

// Every colour slot and setting to its default.
void ColorDefaults(ColourScheme& s);
// The files live in the program's folder and failures are told to its user, both of which `place`
// holds.
// Reads Hibimo.ini into ColorFile and loads that colour file; a failure shows its message.
void SettingsRead(const CalendarModule& place, ColourScheme& s);
// Writes Hibimo.ini (ColorFile, or Default.ccf in the program's folder when empty).
void SettingsWrite(const CalendarModule& place, ColourScheme& s);
// Writes the scheme to ColorFile.
void ColorSave(const CalendarModule& place, const ColourScheme& s);
// Reads the scheme from ColorFile; values read before a failure stay applied.
void ColorLoad(const CalendarModule& place, ColourScheme& s);

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
