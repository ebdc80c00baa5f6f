// Feeds arbitrary bytes as a year file to its reader, in memory. A file that reads must write, read
// and write again to the same text; no input may crash or read out of bounds.
#include "calendar/Cp932.h"
#include "calendar/YearFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

using namespace hibimo;

struct Tables {
    YearItems dayItem{};
    YearLines pubLine{};
    YearLines privLine{};
    int read(QByteArrayView bytes) { return readYearTables(bytes, dayItem, pubLine, privLine); }
    QString text() const { return yearFileText(dayItem, pubLine, privLine); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Tables first;
    if (first.read(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))) != 0)
        return 0;
    // The first write may still drop a key without content or turn a double quote of a hand-edited
    // line into "”"; from then on write and read are exact inverses.
    const QString written = first.text();
    const std::optional<QByteArray> bytes = encodeCp932(written);
    Tables second;
    if (!bytes || second.read(*bytes) != 0 || second.text() != written)
        std::abort();
    return 0;
}
