#pragma once

#include "sharing/CalendarResource.h"
#include "sharing/PublishRecord.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QUrl>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace hibimo {

// The URL as one key, so that two spellings of one resource (relative or absolute href, escapes,
// case of scheme and host) meet.
QString resourceKey(const QUrl& url);
// The resource of an event inside the collection; never the collection itself (empty when it would be).
QUrl resourceUrl(const QUrl& collection, const QString& uid);
bool sameOrigin(const QUrl& a, const QUrl& b);

// What a listing of the collection says: for each resource in it (by resourceKey) its ETag, empty
// where the server gave none. A sync-collection report tells only what changed since its token: the
// resources it does not name are as they were.
struct Listing {
    std::map<QString, QByteArray> etags;
    std::set<QString> gone;
    bool complete = true;
    QByteArray syncToken;
};
// Reads a multistatus answering a PROPFIND (Depth 1) or a sync-collection REPORT of `collection`,
// with the collection's sync token where the server gave one.
// Each response counts by its own status: a 404 one is a resource that is gone. Nothing when the text
// is not a whole multistatus, when a response lacks its status, or when a PROPFIND's listing lacks
// the collection itself.
std::optional<Listing> readMultistatus(QByteArrayView xml, const QUrl& collection, bool syncReport = false);

// readMultistatus in its two halves, so that one reply can be read once and taken either way. What
// the multistatus says, in its order: the collection's sync tokens and each response by resourceKey.
struct Multistatus {
    struct Part {
        QString key; // empty for a sync token of the multistatus itself
        QByteArray syncToken;
        QByteArray etag;
        int status;   // the response's own status, 0 when it has only propstats
        int propstat; // the status of the propstat holding the ETag, or the first one
    };
    std::vector<Part> parts;
};
// Nothing when the text is not a whole multistatus or a response lacks its status.
std::optional<Multistatus> readMultistatusReply(QByteArrayView xml, const QUrl& collection);
// The listing a reply gives as a PROPFIND's or a sync report's answer; nothing when a PROPFIND's lacks
// the collection itself.
std::optional<Listing> listingOf(const Multistatus& reply, const QUrl& collection, bool syncReport);

bool isWeakEtag(const QByteArray& etag);

enum class StepKind {
    Create,    // PUT If-None-Match: *
    Change,    // PUT If-Match when the ETag is strong
    Overwrite, // PUT unconditionally: the calendar wins
    Delete,    // DELETE If-Match when the ETag is strong
    Remove,    // DELETE unconditionally
};
struct Step {
    StepKind kind;
    QString uid;
    QByteArray body;
    QByteArray ifMatch;
    int waits = 0; // times a 429 put it off
};
struct Plan {
    std::vector<Step> steps;
    // The record as the listing shows it: what vanished from the server is no longer ours to delete.
    PublishRecord record;
    int unchanged = 0;
};
// The requests that make the collection hold exactly the events among those this folder put there.
// An event edited on the server since (its ETag differs from the one recorded) is sent again; where
// the server gives no ETag, the digest of what was sent decides alone.
Plan planPublish(const PublishRecord& record, const Listing& listing, const QUrl& collection,
                 CalendarResources events);

enum class ReplyOutcome {
    Stored,   // the PUT reached the collection
    Gone,     // the resource is no longer there
    Conflict, // changed on the server since: send it again unconditionally
    Wait,     // 429: the server asks to come back later
    Fail,
};
ReplyOutcome classifyReply(StepKind kind, int status);
// The step that replaces one refused with 412.
StepKind afterConflict(StepKind kind);

// Seconds a Retry-After header asks for (delay or HTTP date); nothing when absent or unreadable.
std::optional<qint64> retryAfterSeconds(const QByteArray& header, const QDateTime& now);

} // namespace hibimo
