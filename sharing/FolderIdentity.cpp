#include "sharing/FolderIdentity.h"

#include "calendar/Records.h"

#include <QDir>
#include <QFile>
#include <QUuid>

namespace hibimo {

namespace {

QString damagedMessage(const QString& path, IdentityUse use) {
    return QStringLiteral("フォルダーの識別ファイル ") + QDir::toNativeSeparators(path) +
           QStringLiteral(" を読めません。") + QStringLiteral("\r") +
           QStringLiteral("ファイルを確認下さい。") +
           (use == IdentityUse::Export ? QStringLiteral("書き出しは中止しました。")
                                       : QStringLiteral("公開は中止しました。"));
}

} // namespace

QString identityFromBytes(QByteArrayView bytes) {
    const Decoder decode = listFileDecoder(bytes);
    // Some editors begin a UTF-8 file with a byte order mark; it is no part of the record.
    const bool mark = bytes.startsWith("\xEF\xBB\xBF");
    const std::optional<QString> text = RecordReader(mark ? bytes.sliced(3) : bytes, decode).next();
    const QUuid id = text ? QUuid::fromString(text->trimmed()) : QUuid();
    return id.isNull() ? QString() : id.toString(QUuid::WithoutBraces);
}

bool saveFolderIdentity(const QString& folder, const QString& id) {
    return writeTextFile(QDir(folder).filePath(FolderIdentityFileName), quotedRecord(id));
}

QString folderIdentity(const QString& folder, QString* error, QString* unsaved, IdentityUse use) {
    const QString path = QDir(folder).filePath(FolderIdentityFileName);
    if (!QFile::exists(path)) {
        const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (unsaved) {
            *unsaved = id;
            return id;
        }
        if (!saveFolderIdentity(folder, id)) {
            if (error)
                *error = QStringLiteral("フォルダーの識別ファイル ") + QDir::toNativeSeparators(path) +
                         QStringLiteral(" を作成できません。") + QStringLiteral("\r") +
                         QStringLiteral(
                             "フォルダへの書き込みが許可されているか、ディスクに空きがあるかを確認下さい。");
            return {};
        }
    }
    // Read back even after writing it: what the file holds is the identity, whoever wrote it.
    const std::optional<QByteArray> bytes = readFileBytes(path);
    const QString id = bytes ? identityFromBytes(*bytes) : QString();
    if (id.isEmpty() && error)
        *error = damagedMessage(path, use);
    return id;
}

} // namespace hibimo
