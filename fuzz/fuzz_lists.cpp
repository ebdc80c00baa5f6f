// Feeds arbitrary list files, in memory, to the list reader, the editors' check and year generation.
// Generation either refuses the lists or fills only well-keyed slots; every pair of lists the
// editors accept generates.
#include "calendar/CalendarModule.h"
#include "calendar/Records.h"
#include "calendar/TextNumber.h"
#include "generation/ListCheck.h"
#include "generation/YearGeneration.h"

#include <cstdint>
#include <cstdlib>

namespace {

using namespace hibimo;

QString listText(QByteArrayView bytes) {
    return readListBytes(bytes).value_or(ListFileText()).text;
}

bool wellKeyed(const YearItems& items) {
    for (int mi = 0; mi < 12; ++mi)
        for (int d = 0; d < 32; ++d)
            for (int k = 0; k < 3; ++k) {
                const QString& entry = items[mi][d][k];
                if (entry.isEmpty())
                    continue;
                if (numberFromText(QStringView(entry).first(2)) != mi + 1 ||
                    numberFromText(QStringView(entry).sliced(2, 2)) != d ||
                    numberFromText(QStringView(entry).sliced(4, 1)) != k)
                    return false;
            }
    return true;
}

// Only the memo and the mark the year started with: what a refused generation must leave.
bool untouched(const YearItems& items) {
    for (int mi = 0; mi < 12; ++mi)
        for (int d = 0; d < 32; ++d)
            for (int k = 0; k < 3; ++k)
                if (!items[mi][d][k].isEmpty() && !(mi == 0 && ((d == 0 && k == 0) || (d == 5 && k == 2))))
                    return false;
    return items[0][0][0] == u"01000memo" && items[0][5][2] == u"01052#mark";
}

// Generates the lists into a year with a memo and a mark, which must survive.
bool generates(const QString& holidays, const QString& anniversaries, int year) {
    YearItems items;
    items[0][0][0] = QStringLiteral("01000memo");
    items[0][5][2] = QStringLiteral("01052#mark");
    if (!generateYear(items, holidays, anniversaries, year)) {
        if (!untouched(items))
            std::abort();
        return false;
    }
    if (!wellKeyed(items) || items[0][0][0] != u"01000memo" || !items[0][5][2].endsWith(u"mark"))
        std::abort();
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    // The first two bytes choose the year, 1..9999 with the common range most likely.
    const int year = 1 + (data[0] << 8 | data[1]) % 9999;
    const QByteArrayView rest(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
    const qsizetype split = rest.indexOf('\0');
    const QString holidays = listText(split < 0 ? rest : rest.first(split));
    const QString anniversaries =
        split < 0 ? QStringLiteral("*2000/01/01x") : listText(rest.sliced(split + 1));
    const bool generated = generates(holidays, anniversaries, year);
    if (!checkHolidayList(holidays).ok || !checkAnniversaryList(anniversaries).ok)
        return 0;
    // What the editors store is the trimmed text they checked, and that must generate.
    const QString storedHolidays = trimListText(holidays);
    const QString storedAnniversaries = trimListText(anniversaries);
    const bool same = storedHolidays == holidays && storedAnniversaries == anniversaries;
    if (!(same ? generated : generates(storedHolidays, storedAnniversaries, year)))
        std::abort();
    return 0;
}
