#pragma once

#include <QString>

namespace hibimo {

// The file in the program folder that holds the folder's identity.
inline const QString FolderIdentityFileName = QStringLiteral("HBShare.id");

// The identity of a program folder, made once and kept in its identity file, so that the events of
// one folder keep their UIDs across exports and never collide with another folder's. The empty text
// with `error` set when the file cannot be read or written: a new identity over a damaged file would
// duplicate every event the user has already imported.
QString folderIdentity(const QString& folder, QString* error);

} // namespace hibimo
