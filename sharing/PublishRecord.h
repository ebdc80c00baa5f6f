#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <map>
#include <optional>

namespace hibimo {

inline const QString CalDavStateFileName = QStringLiteral("HbCalDav.dat");

// What the collection was last given from this folder: for each resource the ETag the server gave
// (possibly weak, possibly none) and a digest of the text sent. It is all the publisher ever touches
// on the server.
struct PublishedResource {
    QByteArray etag;
    QByteArray digest;
    bool operator==(const PublishedResource&) const = default;
};

class PublishRecord {
  public:
    PublishRecord() = default;
    explicit PublishRecord(QString collection) : collection_(std::move(collection)) {}

    // The record of the folder; nothing when there is none or it cannot be read.
    static std::optional<PublishRecord> read(const QString& folder);
    static std::optional<PublishRecord> fromBytes(QByteArrayView bytes);
    QByteArray bytes() const;
    // Through a temporary; false when the file could not be replaced.
    bool write(const QString& folder) const;

    const QString& collection() const { return collection_; }
    std::map<QString, PublishedResource>& resources() { return resources_; } // by UID
    const std::map<QString, PublishedResource>& resources() const { return resources_; }
    // The collection's sync token (RFC 6578) as of the listing the record agrees with; empty: none.
    const QByteArray& syncToken() const { return syncToken_; }
    void setSyncToken(const QByteArray& token) { syncToken_ = token; }
    bool operator==(const PublishRecord&) const = default;

  private:
    QString collection_;
    std::map<QString, PublishedResource> resources_;
    QByteArray syncToken_;
};

// DTSTAMP is the moment of the export, so it differs every time: an event is unchanged when all
// the rest is.
QByteArray eventDigest(const QByteArray& ics);

} // namespace hibimo
