#pragma once

#include "sharing/CalDavSettings.h"
#include "sharing/CalDavTransport.h"
#include "sharing/CalendarResource.h"
#include "sharing/PublishPlan.h"

#include <QObject>
#include <QString>
#include <deque>

namespace hibimo {

// Requests of one publish by kind, for the window's report and the tests.
struct PublishCounts {
    int created = 0;
    int changed = 0;
    int deleted = 0;
    int unchanged = 0;
    int conflicts = 0; // 412: changed on the server since, replaced by the calendar's version
    int requests = 0;  // PUT and DELETE
    int listings = 0;  // PROPFIND or REPORT of the collection
};

// What went wrong with a request, and what to check, in the user's words.
QString answerProblem(const Answer& answer);

// Publishes events one way to a CalDAV collection (RFC 4791) on the event loop: the collection then
// holds exactly the given events among those this folder put there. The calendar is the source of
// truth: an event changed on the server since is replaced. The record (HbCalDav.dat) changes only
// for what reached the server, and not at all when the listing fails.
class CalDavPublisher : public QObject {
    Q_OBJECT
  public:
    explicit CalDavPublisher(QString folder, QObject* parent = nullptr);

    // Starts a publish; one already running is not interrupted (false). `newFolderId`: the folder's
    // identity when its file does not exist yet; it is written once something reached the server.
    bool publish(const CalDavSettings& settings, const QString& password, CalendarResources resources,
                 const QString& newFolderId = {});
    bool busy() const { return running_; }
    // Stops sending; what reached the server is recorded, the rest goes with the next publish.
    void cancel();
    // Runs the event loop until the publish in flight ends or ms have passed; true when it ended.
    bool waitForFinished(int ms);
    const PublishCounts& counts() const { return counts_; }
    // The HTTP status of the request that failed the last publish (0: none, or no answer).
    int failureStatus() const { return failureStatus_; }
    // Longest silence of the server, longest whole answer, longest wait a 429 may ask for, largest
    // answer.
    void setBounds(int silenceMs, int wholeMs, int retryAfterMaxMs, qint64 maxBytes = 64 << 20);

  signals:
    void progress(int done, int total);
    void finished(bool ok, const QString& message);

  private:
    void listCollection(bool sync);
    void listed(const Answer& answer, bool sync);
    void startNext();
    void sendStep(const Step& step);
    void onReply(const Answer& answer, const Step& step);
    void fail(const Answer& answer);
    void finish();
    Headers stepHeaders(const Step& step) const;

    QString folder_;
    CalDavTransport transport_;
    QUrl collection_;
    PublishRecord record_;
    PublishRecord before_;
    QString newFolderId_;
    CalendarResources resources_;
    std::deque<Step> steps_;
    int total_ = 0;
    int done_ = 0;
    int inFlight_ = 0;
    int retryAfterMaxMs_ = 30000;
    bool running_ = false;
    bool failed_ = false;
    bool reached_ = false; // a PUT or DELETE changed the collection
    QString failure_;
    int failureStatus_ = 0;
    PublishCounts counts_;
};

} // namespace hibimo
