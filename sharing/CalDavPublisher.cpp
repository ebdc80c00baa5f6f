#include "sharing/CalDavPublisher.h"

#include "calendar/Records.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>

namespace hibimo {

namespace {

// Requests in flight at once: enough to hide the round trips, few enough for a small server.
constexpr int Parallel = 4;

// DTSTAMP is the moment of the export, so it differs every time: an event is unchanged when all
// the rest is.
QByteArray digestOf(const QByteArray& ics) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QByteArray& line : ics.split('\n'))
        if (!line.startsWith("DTSTAMP"))
            hash.addData(line);
    return hash.result().toHex();
}

// The ETags of a PROPFIND's multistatus by UID: the resources named "<uid>.ics".
std::map<QString, QByteArray> etagsOf(const QByteArray& multistatus) {
    std::map<QString, QByteArray> etags;
    QXmlStreamReader xml(multistatus);
    QString href;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.namespaceUri() != u"DAV:")
            continue;
        if (xml.name() == u"response")
            href.clear();
        else if (xml.name() == u"href")
            href = QUrl::fromPercentEncoding(xml.readElementText().toUtf8());
        else if (xml.name() == u"getetag" && href.endsWith(u".ics"))
            etags[href.section(QLatin1Char('/'), -1).chopped(4)] = xml.readElementText().toUtf8();
    }
    return etags;
}

QString joined(std::initializer_list<QString> lines) {
    QString text;
    for (const QString& line : lines)
        text += (text.isEmpty() ? QString() : QStringLiteral("\r")) + line;
    return text;
}

} // namespace

// One record per published event, "uid etag digest" with the ETag in base64 (it holds double quotes,
// which a record cannot), after a first record naming the collection the events are in.
PublishState readPublishState(const QString& folder) {
    PublishState state;
    const std::optional<QByteArray> bytes = readFileBytes(QDir(folder).filePath(CalDavStateFileName));
    if (!bytes)
        return state;
    RecordReader reader(*bytes);
    const std::optional<QString> collection = reader.next();
    if (!collection)
        return state;
    state.collection = *collection;
    while (const std::optional<QString> record = reader.next()) {
        const QStringList fields = record->split(QLatin1Char(' '));
        if (fields.size() == 3)
            state.resources[fields[0]] = {QByteArray::fromBase64(fields[1].toLatin1()), fields[2].toLatin1()};
    }
    return state;
}

bool writePublishState(const QString& folder, const PublishState& state) {
    QString text = quotedRecord(state.collection);
    for (const auto& [uid, published] : state.resources)
        text += quotedRecord(uid + QLatin1Char(' ') + QString::fromLatin1(published.etag.toBase64()) +
                             QLatin1Char(' ') + QString::fromLatin1(published.digest));
    return writeTextFile(QDir(folder).filePath(CalDavStateFileName), text);
}

QString publishErrorMessage(int status, int networkError) {
    const QString retry = QStringLiteral("ファイルは何も変わっていません。次の公開でもう一度送ります。");
    if (status == 401)
        return joined({QStringLiteral("サーバーがユーザー名かパスワードを受け付けませんでした(401)。"),
                       QStringLiteral("「公開設定」のユーザー名とパスワードを確認下さい。"), retry});
    if (status == 403)
        return joined({QStringLiteral("このカレンダーへの書き込みがサーバーに許可されていません(403)。"),
                       QStringLiteral("カレンダーの共有や書き込みの権限を確認下さい。"), retry});
    if (status == 404 || status == 409)
        return joined({QStringLiteral("カレンダーがサーバーに見つかりません(%1)。").arg(status),
                       QStringLiteral("「公開設定」のカレンダーのURLを確認下さい。"), retry});
    switch (networkError) {
    case QNetworkReply::SslHandshakeFailedError:
        return joined({QStringLiteral("サーバーの証明書を確かめられないため、接続しませんでした。"),
                       QStringLiteral("URLのサーバー名と、サーバーの証明書が有効かを確認下さい。"), retry});
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return joined({QStringLiteral("サーバーから時間内に応答がありませんでした。"),
                       QStringLiteral("ネットワークの接続とサーバーの状態を確認下さい。"), retry});
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::UnknownNetworkError:
        return joined(
            {QStringLiteral("サーバーに接続できませんでした。"),
             QStringLiteral("ネットワークの接続、URLのサーバー名、サーバーが動いているかを確認下さい。"),
             retry});
    default:
        break;
    }
    return joined({QStringLiteral("公開に失敗しました(サーバーの応答 %1)。").arg(status),
                   QStringLiteral("サーバーの状態と「公開設定」を確認下さい。"), retry});
}

CalDavPublisher::CalDavPublisher(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {
    // Redirects are followed only to a place at least as safe (never from https to http).
    network_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

bool CalDavPublisher::publish(const CalDavSettings& settings, const QString& password,
                              CalendarResources resources) {
    if (running_)
        return false;
    collection_ = normalisedCollectionUrl(settings.url);
    authorization_ = "Basic " + (settings.user + QLatin1Char(':') + password).toUtf8().toBase64();
    state_ = readPublishState(folder_);
    // The record of another collection says nothing about this one: there, everything is new.
    if (state_.collection != collection_)
        state_ = PublishState{collection_, {}};
    counts_ = {};
    resources_ = std::move(resources);
    steps_.clear();
    total_ = 0;
    done_ = 0;
    failed_ = false;
    failureStatus_ = 0;
    failure_.clear();
    running_ = true;
    // Started from the event loop, so the caller has connected and the save that asked has returned.
    QTimer::singleShot(0, this, [this] { listCollection(); });
    return true;
}

// What the server holds now: an event of ours edited or deleted there since (on a phone) is put back
// as the calendar has it, even where the calendar did not change it.
void CalDavPublisher::listCollection() {
    QNetworkRequest req{QUrl(collection_)};
    req.setRawHeader("Authorization", authorization_);
    req.setRawHeader("Depth", "1");
    req.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/xml; charset=utf-8"));
    req.setTransferTimeout(timeoutMs_);
    ++counts_.listings;
    QNetworkReply* reply = network_.sendCustomRequest(
        req, "PROPFIND",
        QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                          "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:getetag/></d:prop></d:propfind>"));
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status != 207) {
            failed_ = true;
            failureStatus_ = status;
            finish(false, publishErrorMessage(status, reply->error()));
            return;
        }
        const std::map<QString, QByteArray> onServer = etagsOf(reply->readAll());
        for (auto it = state_.resources.begin(); it != state_.resources.end();) {
            const auto there = onServer.find(it->first);
            if (there == onServer.end()) {
                it = state_.resources.erase(it);
                continue;
            }
            if (there->second != it->second.etag)
                it->second = {there->second, {}};
            ++it;
        }
        planSteps();
        startNext();
    });
}

void CalDavPublisher::planSteps() {
    std::map<QString, bool> given;
    for (CalendarResource& resource : resources_) {
        given[resource.uid] = true;
        const auto known = state_.resources.find(resource.uid);
        if (known == state_.resources.end())
            steps_.push_back({Step::Create, resource.uid, std::move(resource.ics)});
        else if (known->second.digest != digestOf(resource.ics))
            steps_.push_back({Step::Change, resource.uid, std::move(resource.ics)});
        else
            ++counts_.unchanged;
    }
    resources_.clear();
    for (const auto& [uid, published] : state_.resources)
        if (!given.count(uid))
            steps_.push_back({Step::Delete, uid, {}});
    total_ = int(steps_.size());
    emit progress(0, total_);
}

QNetworkRequest CalDavPublisher::request(const QString& uid) const {
    QNetworkRequest request(QUrl(collection_ + uid + QStringLiteral(".ics")));
    request.setRawHeader("Authorization", authorization_);
    request.setTransferTimeout(timeoutMs_);
    return request;
}

void CalDavPublisher::startNext() {
    while (!failed_ && inFlight_ < Parallel && !steps_.empty()) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        sendStep(step);
    }
    if (inFlight_ == 0 && (failed_ || steps_.empty()))
        finish(!failed_, failure_);
}

void CalDavPublisher::sendStep(const Step& step) {
    QNetworkRequest req = request(step.uid);
    const auto known = state_.resources.find(step.uid);
    const QByteArray etag = known == state_.resources.end() ? QByteArray() : known->second.etag;
    QNetworkReply* reply = nullptr;
    switch (step.kind) {
    case Step::Create:
    case Step::Change:
    case Step::Overwrite:
        req.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/calendar; charset=utf-8"));
        if (step.kind == Step::Create)
            req.setRawHeader("If-None-Match", "*");
        else if (step.kind == Step::Change && !etag.isEmpty())
            req.setRawHeader("If-Match", etag);
        reply = network_.put(req, step.body);
        break;
    case Step::Delete:
    case Step::Remove:
        if (step.kind == Step::Delete && !etag.isEmpty())
            req.setRawHeader("If-Match", etag);
        reply = network_.deleteResource(req);
        break;
    case Step::FetchTag:
        reply = network_.head(req);
        break;
    }
    ++inFlight_;
    ++counts_.requests;
    connect(reply, &QNetworkReply::finished, this, [this, reply, step] { onReply(reply, step); });
}

void CalDavPublisher::onReply(QNetworkReply* reply, const Step& step) {
    reply->deleteLater();
    --inFlight_;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray etag = reply->rawHeader("ETag");
    const bool put = step.kind == Step::Create || step.kind == Step::Change || step.kind == Step::Overwrite;
    const bool remove = step.kind == Step::Delete || step.kind == Step::Remove;
    bool counted = true;
    if (status == 412 &&
        (step.kind == Step::Create || step.kind == Step::Change || step.kind == Step::Delete)) {
        // Changed (or made) on the server since this folder last published it: the calendar wins.
        ++counts_.conflicts;
        steps_.push_front({step.kind == Step::Delete ? Step::Remove : Step::Overwrite, step.uid, step.body});
        counted = false;
    } else if (put && status >= 200 && status < 300) {
        state_.resources[step.uid] = {etag, digestOf(step.body)};
        if (etag.isEmpty()) {
            // Without the server's ETag the next change could not be sent safely: ask for it.
            steps_.push_front({Step::FetchTag, step.uid, {}});
            counted = false;
        }
        if (step.kind == Step::Change)
            ++counts_.changed;
        else
            ++counts_.created;
    } else if (remove && ((status >= 200 && status < 300) || status == 404 || status == 410)) {
        state_.resources.erase(step.uid);
        ++counts_.deleted;
    } else if (step.kind == Step::FetchTag && status >= 200 && status < 300) {
        state_.resources[step.uid].etag = etag;
    } else if (step.kind == Step::FetchTag) {
        // The event is on the server; only its ETag is unknown, and the next change overwrites it.
    } else if (!failed_) {
        failed_ = true;
        failureStatus_ = status;
        failure_ = publishErrorMessage(status, reply->error());
    }
    if (counted) {
        ++done_;
        emit progress(done_, total_);
    }
    startNext();
}

void CalDavPublisher::finish(bool ok, const QString& message) {
    running_ = false;
    steps_.clear();
    QString text = message;
    if (!writePublishState(folder_, state_)) {
        ok = false;
        text = QStringLiteral("公開の記録(%1)を保存できませんでした。").arg(CalDavStateFileName) +
               QLatin1Char('\r') + QStringLiteral("次の公開では全ての予定をもう一度送ります。");
    }
    emit finished(ok, text);
}

bool CalDavPublisher::waitForFinished(int ms) {
    if (!running_)
        return true;
    QEventLoop loop;
    connect(this, &CalDavPublisher::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return !running_;
}

} // namespace hibimo
