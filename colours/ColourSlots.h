#pragma once

#include <QString>
#include <cstdint>

namespace hibimo {

// The colour scheme of the main window: colours are 0x00BBGGRR (red in the low byte).
// Plain data so that the calendar module can hold it without depending on the colour files.
struct ColourScheme {
    int ColScreenBack = 0;
    int ColGuideFore = 0;
    int ColCommandBack = 0;
    int ColOtherMonthBack = 0;
    int ColSunDateBack = 0;
    int ColSunDateFore = 0;
    int ColWeekdayDateBack = 0;
    int ColWeekdayDateFore = 0;
    int ColSatDateBack = 0;
    int ColSatDateFore = 0;
    int ColHolidayDateBack = 0;
    int ColHolidayDateFore = 0;
    int ColTodayBack = 0;
    int ColPubLineFore = 0;
    int ColPubLineBack = 0;
    int ColPrivLineFore = 0;
    int ColPrivLineBack = 0;
    int ColMarkFore = 0;
    int ColMarkBack = 0;
    int ColMemoFore = 0;
    int ColMemoBack = 0;
    int ColYearFore = 0;
    int ColYearBack = 0;
    int ColMonthFore = 0;
    int ColMonthBack = 0;
    int ColWeekdayHeadFore = 0;
    int ColWeekdayHeadBack = 0;
    int ColSunHeadFore = 0;
    int ColSunHeadBack = 0;
    int ColSatHeadFore = 0;
    int ColSatHeadBack = 0;
    std::uint8_t YmBorderStyle = 0;
    int ColFrameLine = 0;
    int FrameLineWidth = 0;

    QString ColorFile;
    QString VersionText;
};

} // namespace hibimo
