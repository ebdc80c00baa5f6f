// Feeds arbitrary bytes as a year file to both year loaders. A file that loads must save, load
// and save again to the same bytes; no input may crash, read out of bounds or replace the
// file it was given.
#include "calendar/CalendarModule.h"
#include "calendar/YearFile.h"
#include "fuzz/ScratchFolder.h"
#include "generation/YearLoading.h"
#include "toolkit/NullInteraction.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace hibimo;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir(fuzz::scratchFolderTemplate());
    QuietInteraction ui;
    CalendarModule m(dir.path(), ui);
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = yearFilePath(m, QStringLiteral("2024"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(input);
    }

    for (const char* month : {"12", "01"}) {
        m.NewMonthText = QString::fromLatin1(month);
        NbMonthLoad(m, QStringLiteral(" 2024"));
    }
    if (fileBytes(path) != input)
        std::abort();

    m.LoadedYear = QStringLiteral("2024");
    try {
        YearLoad(m, m.LoadedYear);
    } catch (const ProgramEnded&) {
        if (fileBytes(path) != input)
            std::abort();
        return 0;
    }
    // What was loaded is saved; from then on save and load are exact inverses (the first save may
    // still drop a key without content or turn a double quote of a hand-edited line into "”").
    if (!PCwrite(m, m.LoadedYear))
        std::abort();
    const QByteArray saved = fileBytes(path);
    YearLoad(m, m.LoadedYear);
    if (!PCwrite(m, m.LoadedYear) || fileBytes(path) != saved)
        std::abort();
    return 0;
}
