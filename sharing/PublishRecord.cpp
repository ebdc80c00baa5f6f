#include "sharing/PublishRecord.h"

#include "calendar/Cp932.h"
#include "calendar/Records.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStringTokenizer>
#include <array>

namespace hibimo {

namespace {
const QString SyncField = QStringLiteral("*sync");

// A base64 field, decoded in the buffer of its own Latin-1 conversion.
QByteArray fromBase64(QStringView field) {
    if (auto result = QByteArray::fromBase64Encoding(field.toLatin1()))
        return std::move(result.decoded);
    return {};
}

} // namespace

QByteArray eventDigest(const QByteArray& ics) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QByteArray& line : ics.split('\n'))
        if (!line.startsWith("DTSTAMP"))
            hash.addData(line);
    return hash.result().toHex();
}

// One record per published event, "uid etag digest" with the ETag in base64 (it holds double quotes,
// which a record cannot), after a first record naming the collection the events are in. The sync
// token is a record of two fields, which an older reader passes over; no UID starts with "*".
std::optional<PublishRecord> PublishRecord::fromBytes(QByteArrayView bytes) {
    RecordReader reader(bytes);
    const std::optional<QString> collection = reader.next();
    if (!collection)
        return std::nullopt;
    PublishRecord record(*collection);
    while (const std::optional<QString> line = reader.next()) {
        // The fields between single spaces, empty ones included, as views into the line: a record
        // is read back after every publishing, and has hundreds of lines.
        std::array<QStringView, 3> fields;
        qsizetype count = 0;
        for (QStringView field : QStringTokenizer(QStringView(*line), u' ')) {
            if (count < qsizetype(fields.size()))
                fields[count] = field;
            if (++count > qsizetype(fields.size()))
                break;
        }
        if (count == 2 && fields[0] == SyncField)
            record.syncToken_ = fromBase64(fields[1]);
        else if (count == 3)
            record.resources_[fields[0].toString()] = {fromBase64(fields[1]), fields[2].toLatin1()};
    }
    return record;
}

std::optional<PublishRecord> PublishRecord::read(const QString& folder) {
    const std::optional<QByteArray> bytes = readFileBytes(QDir(folder).filePath(CalDavStateFileName));
    return bytes ? fromBytes(*bytes) : std::nullopt;
}

QByteArray PublishRecord::bytes() const {
    QString text = quotedRecord(collection_);
    if (!syncToken_.isEmpty())
        text += quotedRecord(SyncField + QLatin1Char(' ') + QString::fromLatin1(syncToken_.toBase64()));
    for (const auto& [uid, published] : resources_)
        text += quotedRecord(uid + QLatin1Char(' ') + QString::fromLatin1(published.etag.toBase64()) +
                             QLatin1Char(' ') + QString::fromLatin1(published.digest));
    return encodeCp932(text).value_or(QByteArray());
}

bool PublishRecord::write(const QString& folder) const {
    const QByteArray data = bytes();
    return !data.isEmpty() && writeFileBytes(QDir(folder).filePath(CalDavStateFileName), data);
}

} // namespace hibimo
