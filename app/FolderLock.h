#pragma once

#include <QLockFile>
#include <QString>

namespace hibimo {

class Interaction;

// Takes the program folder's lock: one program per folder, since two would overwrite each other's
// year files. On failure the user is told why and false is returned.
bool takeFolderLock(QLockFile& lock, const QString& folder, Interaction& ui);

} // namespace hibimo
