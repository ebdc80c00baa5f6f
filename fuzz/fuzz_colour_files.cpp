// Feeds arbitrary bytes, in memory, to the settings and colour file readers. A colour file that loads
// must survive a save and a second load with every value unchanged.
#include "calendar/Cp932.h"
#include "colours/ColourScheme.h"

#include <cstdint>
#include <cstdlib>

namespace {

using namespace hibimo;

// What ColorSave writes: nothing when it would fail.
std::optional<QByteArray> savedBytes(const ColourScheme& s) {
    if (s.ColorFile.isEmpty())
        return std::nullopt;
    return encodeCp932(colourFileText(s));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ColourScheme s;

    ColorDefaults(s);
    if (readSettings(bytes, s))
        readColourFile(bytes, s);

    ColorDefaults(s);
    if (!readColourFile(bytes, s))
        return 0;

    // The path stored in the file is the file it was saved to, so both saves write the same bytes.
    s.ColorFile = QStringLiteral("/hibimo/saved.ccf");
    const std::optional<QByteArray> saved = savedBytes(s);
    if (!saved)
        std::abort();
    ColorDefaults(s);
    if (!readColourFile(*saved, s) || savedBytes(s) != saved)
        std::abort();
    return 0;
}
