#pragma once

#include "colours/ColourSlots.h"

#include <QtGlobal>
#include <vector>

namespace hibimo::test {

// The whole scheme, in the order of a colour file's lines 4 to 10.
inline std::vector<qint64> values(const ColourScheme& s) {
    return {s.ColScreenBack,   s.ColGuideFore,       s.ColCommandBack,     s.ColOtherMonthBack,
            s.ColSunDateBack,  s.ColSunDateFore,     s.ColWeekdayDateBack, s.ColWeekdayDateFore,
            s.ColSatDateBack,  s.ColSatDateFore,     s.ColHolidayDateBack, s.ColHolidayDateFore,
            s.ColTodayBack,    s.ColPubLineFore,     s.ColPubLineBack,     s.ColPrivLineFore,
            s.ColPrivLineBack, s.ColMarkFore,        s.ColMarkBack,        s.ColMemoFore,
            s.ColMemoBack,     s.ColYearFore,        s.ColYearBack,        s.ColMonthFore,
            s.ColMonthBack,    s.ColWeekdayHeadFore, s.ColWeekdayHeadBack, s.ColSunHeadFore,
            s.ColSunHeadBack,  s.ColSatHeadFore,     s.ColSatHeadBack,     s.YmBorderStyle,
            s.ColFrameLine,    s.FrameLineWidth};
}

} // namespace hibimo::test
