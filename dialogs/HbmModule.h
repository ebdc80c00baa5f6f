#pragma once

#include "colours/ColourModule.h"
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

// The program's whole state: created once in main() (or per test) and passed by reference. Each
// subsystem's operations take the part they work on (CalendarModule, ColourModule); the windows
// take the whole.
struct HbmModule : ColourModule, MemoVariables {
    HbmModule(QString programFolder, Interaction& interaction)
        : ColourModule(std::move(programFolder), interaction) {}

    // The shown month and the loaded year: every move goes through it.
    ShownMonth shown{*this};
    // Outcome of the regenerate dialog: 0 update, 2 cancel.
    std::uint8_t RenewChoice = 0;
};

} // namespace hibimo
