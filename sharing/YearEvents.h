#pragma once

#include "calendar/CalendarModule.h"
#include "sharing/CalendarResource.h"
#include "sharing/ShareKinds.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <vector>

namespace hibimo {

// One year's tables as the year file holds them.
struct YearTables {
    YearItems DayItem;
    YearLines PubLine;
    YearLines PrivLine;
};

// One day's item that leaves the calendar as an all-day event.
struct DayEvent {
    QDate date;
    ShareKind kind;
    QString summary;
    // Only the month memo has one: its summary names the month, the memo is the text.
    QString description;
};

// Every day's item of the chosen kinds in a year, by date and then kind. Dates that do not exist
// (30 February) keep their slots in the file but are never events.
std::vector<DayEvent> yearEvents(const YearTables& year, int yyyy, const ShareKinds& kinds);

// The UID of a day's item: the date, the kind and the folder's identity, nothing else, so that a
// second import updates instead of duplicating. Only letters, digits and "-", so that it also names
// the event's resource on a server.
QString eventUid(const QDate& date, ShareKind kind, const QString& folderId);

// One resource per day's item of the chosen kinds. `stamp` is the DTSTAMP (the current time when
// invalid); it is the only thing that differs between two exports of the same tables.
CalendarResources yearResources(const YearTables& year, int yyyy, const ShareKinds& kinds,
                                const QString& folderId, const QDateTime& stamp = {});

// The years that have a year file in the folder, ascending.
std::vector<int> yearsWithFile(const QString& folder);

enum class ShareYears { Loaded, AllWithFile };

// The resources of the loaded year (from memory, unsaved edits included) or of every year with a
// file (the others read from their files). A year file that cannot be read gives nothing and a
// message in `error`: a partial export would look complete.
CalendarResources shareResources(const CalendarModule& m, ShareYears years, const ShareKinds& kinds,
                                 const QString& folderId, QString* error, const QDateTime& stamp = {});

// The export file: one VCALENDAR holding the events of all the resources.
QByteArray icsCalendar(const CalendarResources& resources);

} // namespace hibimo
