// Feeds arbitrary bytes to the settings and colour file readers. A colour file that loads must
// survive a save and a second load with every value unchanged.
#include "calendar/CalendarModule.h"
#include "calendar/Records.h"
#include "colours/ColourScheme.h"
#include "fuzz/ScratchFolder.h"
#include "toolkit/NullInteraction.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace hibimo;

using RecordingInteraction = NullInteraction;

void writeBytes(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
}

// The settings file names a colour file that is then read: only let it name a file of our own
// folder or one that does not exist, so that an input never reads a device or a stranger's file.
bool safeToFollow(const QString& settingsPath, const QString& colourPath) {
    const auto bytes = readFileBytes(settingsPath);
    if (!bytes)
        return true;
    const auto named = FieldReader(*bytes).next();
    return !named || named->isEmpty() || *named == colourPath || !QFileInfo::exists(*named);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir(fuzz::scratchFolderTemplate());
    if (!dir.isValid())
        std::abort();
    RecordingInteraction ui;
    CalendarModule m(dir.path(), ui);
    ColourScheme scheme;
    const QString colourPath = dir.filePath(QStringLiteral("input.ccf"));
    const QString settingsPath = m.filePath(QStringLiteral("Hibimo.ini"));
    writeBytes(colourPath, data, size);
    writeBytes(settingsPath, data, size);

    ColorDefaults(scheme);
    if (safeToFollow(settingsPath, colourPath))
        SettingsRead(m, scheme);

    ColorDefaults(scheme);
    ui.messages.clear();
    scheme.ColorFile = colourPath;
    ColorLoad(m, scheme);
    if (!ui.messages.isEmpty())
        return 0;

    // The path stored in the file is the file it was saved to, so both saves write the same bytes.
    scheme.ColorFile = dir.filePath(QStringLiteral("saved.ccf"));
    ColorSave(m, scheme);
    const auto saved = readFileBytes(scheme.ColorFile);
    ColorDefaults(scheme);
    ColorLoad(m, scheme);
    ColorSave(m, scheme);
    if (!ui.messages.isEmpty() || !saved || readFileBytes(scheme.ColorFile) != saved)
        std::abort();
    return 0;
}
