#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace hibimo::fuzz {

// Template for a QTemporaryDir. The file targets write, sync and discard files for every input,
// which on a real disk costs more than the parsing they test; a RAM disk, where there is one, has
// no disk to wait for.
inline QString scratchFolderTemplate() {
    const QFileInfo ramDisk(QStringLiteral("/dev/shm"));
    const QString base =
        ramDisk.isDir() && ramDisk.isWritable() ? ramDisk.absoluteFilePath() : QDir::tempPath();
    return base + QStringLiteral("/hibimo-fuzz-XXXXXX");
}

} // namespace hibimo::fuzz
