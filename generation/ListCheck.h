#pragma once

#include <QString>

namespace hibimo {

// Result of checking a list text the way the list editors do before saving.
struct ListCheckResult {
    bool ok = true;
    int entry = 0;   // number of the faulty entry (1-based), counting every "*" as generation does
    QString excerpt; // first 20 (holidays) or 25 (anniversaries) characters of its line, stars included
    QString unencodable; // characters code page 932 cannot carry, when that is the fault
};

ListCheckResult checkHolidayList(const QString& text);
ListCheckResult checkAnniversaryList(const QString& text);

} // namespace hibimo
