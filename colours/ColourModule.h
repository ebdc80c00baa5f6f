#pragma once

#include "calendar/CalendarModule.h"
#include "colours/ColourSlots.h"

namespace hibimo {

// The calendar's state with the colour scheme: what the colour files and the colour editor work on.
struct ColourModule : CalendarModule, ColourScheme {
    ColourModule(QString programFolder, Interaction& interaction)
        : CalendarModule(std::move(programFolder), interaction) {}
};

} // namespace hibimo
