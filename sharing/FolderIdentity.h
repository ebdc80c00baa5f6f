#pragma once

#include <QByteArrayView>
#include <QString>

namespace hibimo {

// The file in the program folder that holds the folder's identity.
inline const QString FolderIdentityFileName = QStringLiteral("HBShare.id");

// The identity of a program folder, made once and kept in its identity file, so that the events of
// one folder keep their UIDs across exports and never collide with another folder's. The empty text
// with `error` set when the file cannot be read or written: a new identity over a damaged file would
// duplicate every event the user has already imported.
//
// `unsaved` given: a missing file is not created; the new identity is returned and also put in
// `unsaved`, for saveFolderIdentity once it has been used. `use` names what stops on a damaged file.
enum class IdentityUse { Export, Publish };
QString folderIdentity(const QString& folder, QString* error, QString* unsaved = nullptr,
                       IdentityUse use = IdentityUse::Export);
bool saveFolderIdentity(const QString& folder, const QString& id);
// The identity an identity file's bytes hold; empty when they hold none.
QString identityFromBytes(QByteArrayView bytes);

} // namespace hibimo
