#pragma once

#include "sharing/CalDavSettings.h"
#include "sharing/CalendarResource.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <deque>
#include <map>

class QNetworkReply;

namespace hibimo {

inline const QString CalDavStateFileName = QStringLiteral("HbCalDav.dat");

// What the collection was last given from this folder: for each resource its ETag and a digest of its
// text. It is all the publisher ever touches on the server.
struct PublishedResource {
    QByteArray etag;
    QByteArray digest;
};
struct PublishState {
    QString collection;
    std::map<QString, PublishedResource> resources; // by UID
};
PublishState readPublishState(const QString& folder);
bool writePublishState(const QString& folder, const PublishState& state);

// Requests of one publish by kind, for the window's report and the tests.
struct PublishCounts {
    int created = 0;
    int changed = 0;
    int deleted = 0;
    int unchanged = 0;
    int conflicts = 0; // 412: changed on the server since, replaced by the calendar's version
    int requests = 0;  // PUT, DELETE and HEAD
    int listings = 0;  // PROPFIND of the collection
};

// Publishes events one way to a CalDAV collection (RFC 4791) on the event loop: the collection then
// holds exactly the given events among those this folder put there. New ones are PUT with
// If-None-Match, changed ones with If-Match, missing ones are DELETEd, unchanged ones not sent. The
// calendar is the source of truth: an event changed on the server since is replaced.
class CalDavPublisher : public QObject {
    Q_OBJECT
  public:
    explicit CalDavPublisher(QString folder, QObject* parent = nullptr);

    // Starts a publish; one already running is not interrupted (false).
    bool publish(const CalDavSettings& settings, const QString& password, CalendarResources resources);
    bool busy() const { return running_; }
    // Runs the event loop until the publish in flight ends or ms have passed; true when it ended.
    bool waitForFinished(int ms);
    const PublishCounts& counts() const { return counts_; }
    // The HTTP status of the request that failed the last publish (0: none, or no answer).
    int failureStatus() const { return failureStatus_; }
    // Longest wait for one answer of the server.
    void setRequestTimeout(int ms) { timeoutMs_ = ms; }

  signals:
    void progress(int done, int total);
    // ok false: message says what to check. What reached the server is recorded either way, and the
    // rest is sent by the next publish.
    void finished(bool ok, const QString& message);

  private:
    struct Step {
        enum Kind { Create, Change, Delete, Overwrite, Remove, FetchTag } kind;
        QString uid;
        QByteArray body;
    };
    void listCollection();
    void planSteps();
    void startNext();
    void sendStep(const Step& step);
    void onReply(QNetworkReply* reply, const Step& step);
    void fail(const QString& message);
    void finish(bool ok, const QString& message);
    QNetworkRequest request(const QString& uid) const;

    QString folder_;
    QNetworkAccessManager network_;
    QString collection_;
    QByteArray authorization_;
    PublishState state_;
    CalendarResources resources_;
    std::deque<Step> steps_;
    int total_ = 0;
    int done_ = 0;
    int inFlight_ = 0;
    int timeoutMs_ = 15000;
    bool running_ = false;
    bool failed_ = false;
    QString failure_;
    int failureStatus_ = 0;
    PublishCounts counts_;
};

// The message for a failed request: what went wrong and what the user should check.
QString publishErrorMessage(int httpStatus, int networkError);

} // namespace hibimo
