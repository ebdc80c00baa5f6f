#include "sharing/PublishPlan.h"

#include <QDateTime>
#include <QStringBuilder>
#include <QXmlStreamReader>
#include <set>

namespace hibimo {

namespace {

int defaultPort(const QUrl& url) {
    return url.port(url.scheme().compare(u"https", Qt::CaseInsensitive) == 0 ? 443 : 80);
}

// "HTTP/1.1 404 Not Found" -> 404; 0 when unreadable.
int statusLineCode(const QString& line) {
    return line.simplified().section(QLatin1Char(' '), 1, 1).toInt();
}

struct Response {
    QString href;
    QByteArray etag;
    QByteArray syncToken;
    int status = 0;   // the response's own status, 0 when it has only propstats
    int propstat = 0; // the status of the propstat holding the ETag, or the first one
};

bool readResponse(QXmlStreamReader& xml, Response& r) {
    int propstatStatus = 0;
    QByteArray etag;
    bool inPropstat = false;
    while (xml.readNext() != QXmlStreamReader::Invalid) {
        if (xml.isEndElement() && xml.namespaceUri() == u"DAV:") {
            if (xml.name() == u"response")
                return !r.href.isEmpty() && (r.status != 0 || r.propstat != 0);
            if (xml.name() == u"propstat") {
                inPropstat = false;
                if (!etag.isEmpty() || r.propstat == 0)
                    r.propstat = propstatStatus, r.etag = etag;
                if (propstatStatus == 0)
                    return false;
            }
            continue;
        }
        if (!xml.isStartElement() || xml.namespaceUri() != u"DAV:")
            continue;
        if (xml.name() == u"href" && r.href.isEmpty())
            r.href = xml.readElementText();
        else if (xml.name() == u"propstat")
            inPropstat = true, propstatStatus = 0, etag.clear();
        else if (xml.name() == u"status")
            (inPropstat ? propstatStatus : r.status) = statusLineCode(xml.readElementText());
        else if (xml.name() == u"getetag" && inPropstat)
            etag = xml.readElementText().trimmed().toUtf8();
        else if (xml.name() == u"sync-token" && inPropstat)
            r.syncToken = xml.readElementText().trimmed().toUtf8();
    }
    return false;
}

} // namespace

QString resourceKey(const QUrl& url) {
    const QUrl u = url.adjusted(QUrl::NormalizePathSegments | QUrl::StripTrailingSlash | QUrl::RemoveQuery |
                                QUrl::RemoveFragment | QUrl::RemoveUserInfo);
    // Built in one allocation (QStringBuilder): a listing keys every resource it names.
    return u.scheme().toLower() % u"://" % u.host().toLower() % u':' % QString::number(defaultPort(u)) %
           QUrl::fromPercentEncoding(u.path(QUrl::FullyEncoded).toUtf8());
}

QUrl resourceUrl(const QUrl& collection, const QString& uid) {
    const QUrl url = collection.resolved(QUrl(QUrl::toPercentEncoding(uid + QStringLiteral(".ics"))));
    if (resourceKey(url) == resourceKey(collection) || url.hasQuery() || url.hasFragment())
        return {};
    return url;
}

bool sameOrigin(const QUrl& a, const QUrl& b) {
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && defaultPort(a) == defaultPort(b);
}

std::optional<Multistatus> readMultistatusReply(QByteArrayView bytes, const QUrl& collection) {
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (!xml.readNextStartElement() || xml.name() != u"multistatus" || xml.namespaceUri() != u"DAV:")
        return std::nullopt;
    Multistatus reply;
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() == u"DAV:" && xml.name() == u"sync-token") {
            reply.parts.push_back({{}, xml.readElementText().toUtf8(), {}, 0, 0});
            continue;
        }
        if (xml.namespaceUri() != u"DAV:" || xml.name() != u"response") {
            xml.skipCurrentElement();
            continue;
        }
        Response r;
        if (!readResponse(xml, r))
            return std::nullopt;
        reply.parts.push_back({resourceKey(collection.resolved(QUrl(r.href))), std::move(r.syncToken), r.etag,
                               r.status, r.propstat});
    }
    if (xml.hasError())
        return std::nullopt;
    return reply;
}

std::optional<Listing> listingOf(const Multistatus& reply, const QUrl& collection, bool syncReport) {
    Listing listing;
    listing.complete = !syncReport;
    const QString self = resourceKey(collection);
    bool sawSelf = false;
    for (const Multistatus::Part& part : reply.parts) {
        if (part.key.isEmpty()) {
            listing.syncToken = part.syncToken;
            continue;
        }
        sawSelf = sawSelf || part.key == self;
        if (part.key == self) {
            if (!syncReport)
                listing.syncToken = part.syncToken;
            continue;
        }
        if (part.status == 404 || part.status == 410)
            listing.gone.insert(part.key);
        else
            listing.etags[part.key] =
                (part.propstat >= 200 && part.propstat < 300) ? part.etag : QByteArray();
    }
    if (!syncReport && !sawSelf)
        return std::nullopt;
    return listing;
}

std::optional<Listing> readMultistatus(QByteArrayView bytes, const QUrl& collection, bool syncReport) {
    const std::optional<Multistatus> reply = readMultistatusReply(bytes, collection);
    if (!reply)
        return std::nullopt;
    return listingOf(*reply, collection, syncReport);
}

bool isWeakEtag(const QByteArray& etag) {
    return etag.startsWith("W/");
}

Plan planPublish(const PublishRecord& record, const Listing& listing, const QUrl& collection,
                 CalendarResources events) {
    Plan plan{{}, record, 0};
    plan.record.setSyncToken(listing.syncToken);
    auto& known = plan.record.resources();
    for (auto it = known.begin(); it != known.end();) {
        const QString key = resourceKey(resourceUrl(collection, it->first));
        const auto there = listing.etags.find(key);
        if (there == listing.etags.end()) {
            it = listing.complete || listing.gone.count(key) ? known.erase(it) : std::next(it);
            continue;
        }
        // Edited elsewhere since: the digest no longer says what the server holds.
        if (!there->second.isEmpty() && !it->second.etag.isEmpty() && there->second != it->second.etag)
            it->second = {there->second, {}};
        else if (it->second.etag.isEmpty())
            it->second.etag = there->second;
        ++it;
    }
    std::set<QString> given;
    for (CalendarResource& event : events) {
        given.insert(event.uid);
        const auto mine = known.find(event.uid);
        if (mine == known.end()) {
            plan.steps.push_back({StepKind::Create, event.uid, std::move(event.ics), {}});
        } else if (mine->second.digest != eventDigest(event.ics)) {
            const QByteArray& etag = mine->second.etag;
            plan.steps.push_back({isWeakEtag(etag) || etag.isEmpty() ? StepKind::Overwrite : StepKind::Change,
                                  event.uid, std::move(event.ics), isWeakEtag(etag) ? QByteArray() : etag});
        } else {
            ++plan.unchanged;
        }
    }
    for (const auto& [uid, published] : known)
        if (!given.count(uid))
            plan.steps.push_back(
                {isWeakEtag(published.etag) || published.etag.isEmpty() ? StepKind::Remove : StepKind::Delete,
                 uid,
                 {},
                 isWeakEtag(published.etag) ? QByteArray() : published.etag});
    return plan;
}

ReplyOutcome classifyReply(StepKind kind, int status) {
    const bool put = kind == StepKind::Create || kind == StepKind::Change || kind == StepKind::Overwrite;
    const bool conditional = kind != StepKind::Overwrite && kind != StepKind::Remove;
    const struct {
        int from, to;
        bool forPut, forDelete, onlyConditional;
        ReplyOutcome outcome;
    } rules[] = {
        {200, 299, true, true, false, ReplyOutcome::Stored},
        {404, 404, false, true, false, ReplyOutcome::Gone},
        {410, 410, false, true, false, ReplyOutcome::Gone},
        {412, 412, true, true, true, ReplyOutcome::Conflict},
        {429, 429, true, true, false, ReplyOutcome::Wait},
    };
    for (const auto& rule : rules)
        if (status >= rule.from && status <= rule.to && (put ? rule.forPut : rule.forDelete) &&
            (conditional || !rule.onlyConditional))
            return !put && rule.outcome == ReplyOutcome::Stored ? ReplyOutcome::Gone : rule.outcome;
    return ReplyOutcome::Fail;
}

StepKind afterConflict(StepKind kind) {
    return kind == StepKind::Delete ? StepKind::Remove : StepKind::Overwrite;
}

std::optional<qint64> retryAfterSeconds(const QByteArray& header, const QDateTime& now) {
    bool number = false;
    const qint64 seconds = header.trimmed().toLongLong(&number);
    if (number)
        return seconds >= 0 ? std::optional(seconds) : std::nullopt;
    QString date = QString::fromLatin1(header.trimmed());
    // HTTP dates name their zone GMT, which Qt's RFC 2822 reader does not take.
    if (date.endsWith(u" GMT"))
        date = date.chopped(3) + QStringLiteral("+0000");
    const QDateTime when = QDateTime::fromString(date, Qt::RFC2822Date);
    if (!when.isValid())
        return std::nullopt;
    return std::max<qint64>(0, now.secsTo(when));
}

} // namespace hibimo
