#pragma once

#include <QByteArray>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <utility>
#include <vector>

namespace hibimo {

// What came back for one request. A reply the transport cut short says why.
struct Answer {
    int status = 0;
    int networkError = 0; // QNetworkReply::NetworkError
    QByteArray etag;
    QByteArray retryAfter;
    QByteArray body;
    QUrl url;             // where the answer came from, after redirects within the origin
    QUrl refusedRedirect; // where a redirect that would leave the origin pointed
    bool tooLarge = false;
    bool tooSlow = false; // the whole transfer outlasted its bound
};

using Headers = std::vector<std::pair<QByteArray, QByteArray>>;

// Runs a local event loop until `task` emits `finished` or `ms` pass, for callers that must not
// return before the network work is over (the end of the program, a modal search). True when the task
// is no longer running.
template <typename Task, typename Signal>
bool waitForSignal(Task* task, Signal finished, const bool& running, int ms) {
    if (!running)
        return true;
    QEventLoop loop;
    QObject::connect(task, finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return !running;
}

// Sends requests to one collection's server and nothing else: the credentials answer only a
// challenge of the configured origin (scheme, host, port), and a redirect is followed only within it.
// Every answer is bounded in size, in silence and as a whole.
class CalDavTransport : public QObject {
    Q_OBJECT
  public:
    explicit CalDavTransport(QObject* parent = nullptr);

    void setTarget(const QUrl& origin, const QString& user, const QString& password);
    void setBounds(int silenceMs, int wholeMs, qint64 maxBytes);
    void send(const QByteArray& method, const QUrl& url, const Headers& headers, const QByteArray& body,
              std::function<void(const Answer&)> done, int hops = 0);
    // Ends every request in flight; their answers still come, as cancelled.
    void abortAll();

  private:
    static void finished(QNetworkReply* reply, Answer& answer);

    QNetworkAccessManager network_;
    QUrl origin_;
    QString user_;
    QString password_;
    int silenceMs_ = 15000;
    int wholeMs_ = 120000;
    qint64 maxBytes_ = 64 << 20;
};

} // namespace hibimo
