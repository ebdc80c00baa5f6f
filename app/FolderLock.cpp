#include "app/FolderLock.h"

#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "toolkit/Interaction.h"

namespace hibimo {

bool takeFolderLock(QLockFile& lock, const QString& folder, Interaction& ui) {
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        return true;
    // Only a lock another program holds means "already running"; a read-only folder or a full disk
    // is the folder's fault, and the user must look there instead.
    if (lock.error() == QLockFile::LockFailedError)
        ui.message(QStringLiteral("Hibimoはこのフォルダですでに起動しています。") + QLatin1Char('\r') +
                   QStringLiteral("起動中のカレンダーをお使い下さい。"));
    else
        ui.message(folderNotWritableMessage(folder));
    return false;
}

bool openProgramFolder(QLockFile& lock, const QString& folder, Interaction& ui) {
    // Every file of the folder is code page 932: without the converter a year could only be written
    // empty, so the program must not start at all.
    if (!cp932Available()) {
        ui.message(missingConverterMessage());
        return false;
    }
    if (!takeFolderLock(lock, folder, ui))
        return false;
    removeLeftoverTemporaries(folder);
    return true;
}

} // namespace hibimo
