#pragma once

#include <QLockFile>
#include <QString>

namespace hibimo {

class Interaction;

// Takes the program folder's lock: one program per folder, since two would overwrite each other's
// year files. On failure the user is told why and false is returned.
bool takeFolderLock(QLockFile& lock, const QString& folder, Interaction& ui);

// Everything before the program may use its folder: the code page's converter, the lock, and the
// removal of a save's leftover temporary. On failure the user has been told why, nothing in the
// folder has been touched, and false is returned.
bool openProgramFolder(QLockFile& lock, const QString& folder, Interaction& ui);

} // namespace hibimo
