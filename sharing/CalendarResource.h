#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace hibimo {

// What leaves the calendar, by kind. Red days and observances stay home unless asked for, since
// phones already know the holidays; private notes stay home unless asked for, since they are private.
struct ShareKinds {
    bool publicNotes = true;
    bool privateNotes = false;
    bool marks = true;
    bool memos = true;
    bool anniversaries = true;
    bool redDays = false;
    bool observances = false;
    // 六曜 and the lunisolar date, one event a day: off unless asked for, as on screen.
    bool almanac = false;
};

// One event as an iCalendar object of its own: the unit that a CalDAV collection stores, and the
// unit an export file is made of.
struct CalendarResource {
    // Stable across exports and unique to the program folder; the resource's name on a server is
    // derived from it.
    QString uid;
    // A whole VCALENDAR holding one VEVENT: UTF-8, CRLF line ends, lines folded at 75 octets.
    QByteArray ics;
};

using CalendarResources = std::vector<CalendarResource>;

} // namespace hibimo
