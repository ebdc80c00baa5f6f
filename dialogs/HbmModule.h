#pragma once

#include "calendar/CalendarModule.h"
#include "colours/ColourSlots.h"
#include "generation/ShownMonth.h"

#include <cstdint>

namespace hibimo {

// Variables that carry a text to and from the memo input dialog.
struct MemoVariables {
    QString MemoText;
    QString MemoGuide1;
    QString MemoGuide2;
    QString MemoTitle;
};

// The program's whole state: created once in main() (or per test) and passed by reference. It is the
// calendar's module (the program's folder, its user and clock, the loaded year), which every window
// and operation works on, holding the parts that only some of them use. Each operation takes the
// part it works on: the colour files and the colour editor the scheme, the memo dialog its variables.
struct HbmModule : CalendarModule {
    HbmModule(QString programFolder, Interaction& interaction)
        : CalendarModule(std::move(programFolder), interaction) {}

    ColourScheme colours;
    MemoVariables memo;
    // The shown month and the loaded year: every move goes through it.
    ShownMonth shown{*this};
    // Outcome of the regenerate dialog: 0 update, 2 cancel.
    std::uint8_t RenewChoice = 0;
};

} // namespace hibimo
