#pragma once

#include "colours/ColourSlots.h"

#include <QString>
#include <map>

namespace hibimo::test {

using Slot = int ColourScheme::*;

// The 33 integer slots by name; with YmBorderStyle they are the whole scheme.
inline const std::map<QString, Slot>& allSlots() {
    static const std::map<QString, Slot> table = {
        {"ColScreenBack", &ColourScheme::ColScreenBack},
        {"ColGuideFore", &ColourScheme::ColGuideFore},
        {"ColCommandBack", &ColourScheme::ColCommandBack},
        {"ColOtherMonthBack", &ColourScheme::ColOtherMonthBack},
        {"ColSunDateBack", &ColourScheme::ColSunDateBack},
        {"ColSunDateFore", &ColourScheme::ColSunDateFore},
        {"ColWeekdayDateBack", &ColourScheme::ColWeekdayDateBack},
        {"ColWeekdayDateFore", &ColourScheme::ColWeekdayDateFore},
        {"ColSatDateBack", &ColourScheme::ColSatDateBack},
        {"ColSatDateFore", &ColourScheme::ColSatDateFore},
        {"ColHolidayDateBack", &ColourScheme::ColHolidayDateBack},
        {"ColHolidayDateFore", &ColourScheme::ColHolidayDateFore},
        {"ColTodayBack", &ColourScheme::ColTodayBack},
        {"ColPubLineFore", &ColourScheme::ColPubLineFore},
        {"ColPubLineBack", &ColourScheme::ColPubLineBack},
        {"ColPrivLineFore", &ColourScheme::ColPrivLineFore},
        {"ColPrivLineBack", &ColourScheme::ColPrivLineBack},
        {"ColMarkFore", &ColourScheme::ColMarkFore},
        {"ColMarkBack", &ColourScheme::ColMarkBack},
        {"ColMemoFore", &ColourScheme::ColMemoFore},
        {"ColMemoBack", &ColourScheme::ColMemoBack},
        {"ColYearFore", &ColourScheme::ColYearFore},
        {"ColYearBack", &ColourScheme::ColYearBack},
        {"ColMonthFore", &ColourScheme::ColMonthFore},
        {"ColMonthBack", &ColourScheme::ColMonthBack},
        {"ColWeekdayHeadFore", &ColourScheme::ColWeekdayHeadFore},
        {"ColWeekdayHeadBack", &ColourScheme::ColWeekdayHeadBack},
        {"ColSunHeadFore", &ColourScheme::ColSunHeadFore},
        {"ColSunHeadBack", &ColourScheme::ColSunHeadBack},
        {"ColSatHeadFore", &ColourScheme::ColSatHeadFore},
        {"ColSatHeadBack", &ColourScheme::ColSatHeadBack},
        {"ColFrameLine", &ColourScheme::ColFrameLine},
        {"FrameLineWidth", &ColourScheme::FrameLineWidth},
    };
    return table;
}

inline std::map<QString, int> values(const ColourScheme& s) {
    std::map<QString, int> out;
    for (const auto& [name, slot] : allSlots())
        out[name] = s.*slot;
    out["YmBorderStyle"] = s.YmBorderStyle;
    return out;
}

} // namespace hibimo::test
