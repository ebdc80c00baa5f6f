#include "sharing/CalDavTransport.h"

#include "sharing/PublishPlan.h"

#include <QAuthenticator>
#include <QNetworkReply>
#include <QTimer>

namespace hibimo {

namespace {
constexpr int MaxRedirects = 5;
}

CalDavTransport::CalDavTransport(QObject* parent) : QObject(parent) {
    network_.setRedirectPolicy(QNetworkRequest::UserVerifiedRedirectPolicy);
    // A redirect leaving the origin is never followed; within it, at most a few.
    // Qt's own authentication, not a header of ours: Qt would copy a header onto a redirect to any
    // host, while a challenge is answered here only for the collection's origin, once per request and
    // place (a refused password is not sent again; a redirect within the origin may be asked anew).
    connect(&network_, &QNetworkAccessManager::authenticationRequired, this,
            [this](QNetworkReply* reply, QAuthenticator* auth) {
                if (!sameOrigin(reply->url(), origin_) ||
                    reply->property("hibimoAsked").toUrl() == reply->url())
                    return;
                reply->setProperty("hibimoAsked", reply->url());
                auth->setUser(user_);
                auth->setPassword(password_);
            });
}

void CalDavTransport::setTarget(const QUrl& origin, const QString& user, const QString& password) {
    // Credentials Qt cached for an earlier target must not answer for this one.
    network_.clearAccessCache();
    origin_ = origin;
    user_ = user;
    password_ = password;
}

void CalDavTransport::setBounds(int silenceMs, int wholeMs, qint64 maxBytes) {
    silenceMs_ = silenceMs;
    wholeMs_ = wholeMs;
    maxBytes_ = maxBytes;
}

void CalDavTransport::send(const QByteArray& method, const QUrl& url, const Headers& headers,
                           const QByteArray& body, std::function<void(const Answer&)> done, int hops) {
    QNetworkRequest request(url);
    for (const auto& [name, value] : headers)
        request.setRawHeader(name, value);
    request.setTransferTimeout(silenceMs_);
    QNetworkReply* reply = network_.sendCustomRequest(request, method, body);
    auto answer = std::make_shared<Answer>();
    // Redirects are sent again from here: Qt's own following of one mixes up its authentication
    // retry with the redirect (it resends to the old place).
    connect(reply, &QNetworkReply::redirected, reply, [reply, answer](const QUrl& to) {
        answer->url = reply->url().resolved(to);
        reply->abort();
    });
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [this, reply, answer](qint64 received, qint64 total) {
                if (received > maxBytes_ || total > maxBytes_) {
                    answer->tooLarge = true;
                    reply->abort();
                }
            });
    QTimer::singleShot(wholeMs_, reply, [reply, answer] {
        answer->tooSlow = true;
        reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [=, this, done = std::move(done)] {
        reply->deleteLater();
        if (!answer->url.isEmpty() && sameOrigin(answer->url, origin_) && hops < MaxRedirects)
            return send(method, answer->url, headers, body, done, hops + 1);
        if (!answer->url.isEmpty())
            answer->refusedRedirect = answer->url;
        finished(reply, *answer);
        done(*answer);
    });
}

void CalDavTransport::finished(QNetworkReply* reply, Answer& answer) {
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.networkError = reply->error();
    answer.etag = reply->rawHeader("ETag");
    answer.url = reply->url();
    answer.retryAfter = reply->rawHeader("Retry-After");
    if (!answer.tooLarge && !answer.tooSlow && answer.refusedRedirect.isEmpty())
        answer.body = reply->readAll();
    // Qt does not always tell a connection closed before the announced length.
    bool announced = false;
    const qint64 length = reply->rawHeader("Content-Length").toLongLong(&announced);
    if (announced && answer.body.size() < length && answer.networkError == QNetworkReply::NoError)
        answer.networkError = QNetworkReply::RemoteHostClosedError;
}

void CalDavTransport::abortAll() {
    for (QNetworkReply* reply : network_.findChildren<QNetworkReply*>())
        reply->abort();
}

} // namespace hibimo
