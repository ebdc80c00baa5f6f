#pragma once

#include <QString>

namespace hibimo {

// Result of checking a list text the way the list editors do before saving.
struct ListCheckResult {
    bool ok = true;
    int entry = 0;        // number of the faulty entry (1-based), counting every "*" as generation does
    QString excerpt;      // first 20 (holidays) or 25 (anniversaries) characters of its line, stars included
    QString unencodable;  // characters code page 932 cannot carry, when that is the fault
    qsizetype start = -1; // where the faulty entry's line starts in the trimmed text, star included
    qsizetype length = 0; // its length up to its line end
};

// The list text as the editors store it: blanks, tabs and line breaks at either end removed.
QString trimListText(const QString& text);

// Both checks trim the text first and look at every "*" exactly as year generation will read it.
ListCheckResult checkHolidayList(const QString& text);
ListCheckResult checkAnniversaryList(const QString& text);

// What the editors show for a failed check (the empty text when the check passed).
QString holidayCheckMessage(const ListCheckResult& result);
QString anniversaryCheckMessage(const ListCheckResult& result);

} // namespace hibimo
