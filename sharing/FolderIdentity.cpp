#include "sharing/FolderIdentity.h"

#include "calendar/Records.h"

#include <QDir>
#include <QFile>
#include <QUuid>

namespace hibimo {

namespace {

QString identityIn(const QString& path) {
    const std::optional<QString> text = readListFile(path);
    if (!text)
        return {};
    const QUuid id = QUuid::fromString(text->trimmed());
    return id.isNull() ? QString() : id.toString(QUuid::WithoutBraces);
}

QString damagedMessage(const QString& path) {
    return QStringLiteral("フォルダーの識別ファイル ") + QDir::toNativeSeparators(path) +
           QStringLiteral(" を読めません。") + QStringLiteral("\r") +
           QStringLiteral("ファイルを確認下さい。書き出しは中止しました。");
}

} // namespace

QString folderIdentity(const QString& folder, QString* error) {
    const QString path = QDir(folder).filePath(FolderIdentityFileName);
    if (!QFile::exists(path)) {
        if (!writeTextFile(path, quotedRecord(QUuid::createUuid().toString(QUuid::WithoutBraces)))) {
            if (error)
                *error = QStringLiteral("フォルダーの識別ファイル ") + QDir::toNativeSeparators(path) +
                         QStringLiteral(" を作成できません。") + QStringLiteral("\r") +
                         QStringLiteral(
                             "フォルダへの書き込みが許可されているか、ディスクに空きがあるかを確認下さい。");
            return {};
        }
    }
    // Read back even after writing it: what the file holds is the identity, whoever wrote it.
    const QString id = identityIn(path);
    if (id.isEmpty() && error)
        *error = damagedMessage(path);
    return id;
}

} // namespace hibimo
