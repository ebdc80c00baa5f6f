#include "sharing/CalDavPublisher.h"

#include "sharing/FolderIdentity.h"
#include "sharing/PublishMessages.h"

#include <QDateTime>
#include <QNetworkReply>
#include <QTimer>

namespace hibimo {

namespace {

// Requests in flight at once: enough to hide the round trips, few enough for a small server.
constexpr int Parallel = 4;
// Times one request may be put off by 429 before the publish stops.
constexpr int MaxWaits = 3;

const QByteArray PropfindBody =
    QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind xmlns:d=\"DAV:\"><d:prop>"
                      "<d:getetag/><d:sync-token/></d:prop></d:propfind>");

QByteArray syncBody(const QByteArray& token) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" +
           QString::fromUtf8(token).toHtmlEscaped().toUtf8() +
           "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop>"
           "</d:sync-collection>";
}

// A server that does not offer the report, or no longer knows the token (403 or 409 with
// valid-sync-token), is listed in full instead.
bool syncRefused(int status) {
    return status >= 400 && status != 401 && status != 429 && status != 507;
}

QString lines(std::initializer_list<QString> parts) {
    QStringList list(parts);
    list.removeAll(QString());
    return list.join(QLatin1Char('\r'));
}

QString networkText(int error) {
    switch (error) {
    case QNetworkReply::SslHandshakeFailedError:
        return publishText::UntrustedCertificate;
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return publishText::NoAnswerInTime;
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::UnknownNetworkError:
        return publishText::NoConnection;
    default:
        return {};
    }
}

} // namespace

QString answerProblem(const Answer& a) {
    if (!a.refusedRedirect.isEmpty())
        return publishText::redirected(a.refusedRedirect.toDisplayString());
    if (a.tooLarge)
        return publishText::TooLarge;
    if (a.tooSlow)
        return networkText(QNetworkReply::TimeoutError);
    if (const QString text = networkText(a.networkError); !text.isEmpty())
        return text;
    if (const QString text = publishText::statusText(a.status); !text.isEmpty())
        return text;
    if (a.status == 207)
        return publishText::BrokenListing;
    return lines({QStringLiteral("公開に失敗しました(サーバーの応答 %1)。").arg(a.status),
                  QStringLiteral("サーバーの状態と「公開設定」を確認下さい。")});
}

namespace {

QString retryText(bool recorded) {
    return recorded ? publishText::PartlySent : publishText::NothingChanged;
}

} // namespace

CalDavPublisher::CalDavPublisher(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), transport_(this) {}

void CalDavPublisher::setBounds(int silenceMs, int wholeMs, int retryAfterMaxMs, qint64 maxBytes) {
    transport_.setBounds(silenceMs, wholeMs, maxBytes);
    retryAfterMaxMs_ = retryAfterMaxMs;
}

bool CalDavPublisher::publish(const CalDavSettings& settings, const QString& password,
                              CalendarResources resources, const QString& newFolderId) {
    if (running_)
        return false;
    collection_ = QUrl(normalisedCollectionUrl(settings.url));
    transport_.setTarget(collection_, settings.user, password);
    before_ = PublishRecord::read(folder_).value_or(PublishRecord());
    // The record of another collection says nothing about this one: there, everything is new.
    record_ =
        before_.collection() == collection_.toString() ? before_ : PublishRecord(collection_.toString());
    newFolderId_ = newFolderId;
    counts_ = {};
    resources_ = std::move(resources);
    steps_.clear();
    total_ = done_ = failureStatus_ = 0;
    failed_ = reached_ = false;
    failure_.clear();
    running_ = true;
    // Started from the event loop, so the caller has connected and the save that asked has returned.
    QTimer::singleShot(0, this, [this] { listCollection(!record_.syncToken().isEmpty()); });
    return true;
}

// What the server holds now: an event of ours edited or deleted there since (on a phone) is put back
// as the calendar has it, even where the calendar did not change it.
void CalDavPublisher::listCollection(bool sync) {
    ++counts_.listings;
    transport_.send(sync ? "REPORT" : "PROPFIND", collection_,
                    {{"Depth", sync ? "0" : "1"}, {"Content-Type", "application/xml; charset=utf-8"}},
                    sync ? syncBody(record_.syncToken()) : PropfindBody,
                    [this, sync](const Answer& answer) { listed(answer, sync); });
}

void CalDavPublisher::listed(const Answer& answer, bool sync) {
    if (failed_) // cancelled meanwhile
        return finish();
    if (sync && syncRefused(answer.status))
        return listCollection(false);

    // A collection that moved within the origin (a missing "/") is where its events go.
    if (sameOrigin(answer.url, collection_) && !answer.url.hasQuery() && answer.url.path().endsWith(u'/'))
        collection_ = answer.url;
    std::optional<Listing> listing;
    if (answer.status == 207 && answer.networkError == QNetworkReply::NoError && !answer.tooLarge &&
        !answer.tooSlow)
        listing = readMultistatus(answer.body, collection_, sync);
    if (!listing) {
        fail(answer);
        finish();
        return;
    }
    Plan plan = planPublish(record_, *listing, collection_, std::move(resources_));
    resources_.clear();
    record_ = std::move(plan.record);
    counts_.unchanged = plan.unchanged;
    steps_.assign(std::make_move_iterator(plan.steps.begin()), std::make_move_iterator(plan.steps.end()));
    total_ = int(steps_.size());
    emit progress(0, total_);
    startNext();
}

void CalDavPublisher::startNext() {
    while (!failed_ && inFlight_ < Parallel && !steps_.empty()) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        sendStep(step);
    }
    if (inFlight_ == 0 && running_ && (failed_ || steps_.empty()))
        finish();
}

Headers CalDavPublisher::stepHeaders(const Step& step) const {
    Headers headers;
    if (step.kind == StepKind::Create)
        headers.emplace_back("If-None-Match", "*");
    if (!step.ifMatch.isEmpty() && (step.kind == StepKind::Change || step.kind == StepKind::Delete))
        headers.emplace_back("If-Match", step.ifMatch);
    if (!step.body.isEmpty())
        headers.emplace_back("Content-Type", "text/calendar; charset=utf-8");
    return headers;
}

void CalDavPublisher::sendStep(const Step& step) {
    const bool remove = step.kind == StepKind::Delete || step.kind == StepKind::Remove;
    ++inFlight_;
    ++counts_.requests;
    transport_.send(remove ? "DELETE" : "PUT", resourceUrl(collection_, step.uid), stepHeaders(step),
                    step.body, [this, step](const Answer& answer) { onReply(answer, step); });
}

void CalDavPublisher::onReply(const Answer& answer, const Step& step) {
    const ReplyOutcome outcome = classifyReply(step.kind, answer.status);
    const std::optional<qint64> wait = retryAfterSeconds(answer.retryAfter, QDateTime::currentDateTimeUtc());
    if (outcome == ReplyOutcome::Wait && wait && *wait * 1000 <= retryAfterMaxMs_ && step.waits < MaxWaits) {
        // The server's own pace: the same request again once the time it asked for has passed.
        Step again = step;
        ++again.waits;
        QTimer::singleShot(int(*wait * 1000), this, [this, again] {
            --inFlight_;
            steps_.push_front(again);
            startNext();
        });
        return;
    }
    --inFlight_;
    if (outcome == ReplyOutcome::Stored) {
        reached_ = true;
        record_.resources()[step.uid] = {answer.etag, eventDigest(step.body)};
        ++(step.kind == StepKind::Create ? counts_.created : counts_.changed);
    } else if (outcome == ReplyOutcome::Gone) {
        reached_ = reached_ || answer.status < 300;
        record_.resources().erase(step.uid);
        ++counts_.deleted;
    } else if (outcome == ReplyOutcome::Conflict) {
        ++counts_.conflicts;
        steps_.push_front({afterConflict(step.kind), step.uid, step.body, {}});
        startNext();
        return;
    } else if (!failed_) {
        fail(answer);
    }
    emit progress(++done_, total_);
    startNext();
}

void CalDavPublisher::fail(const Answer& answer) {
    failed_ = true;
    failureStatus_ = answer.status;
    failure_ = answerProblem(answer);
}

void CalDavPublisher::finish() {
    running_ = false;
    steps_.clear();
    bool ok = !failed_;
    const bool write = reached_ || (ok && record_ != before_ && !record_.resources().empty());
    QString text = failed_ ? lines({failure_, retryText(reached_)}) : QString();
    if (write && reached_ && !newFolderId_.isEmpty() && !saveFolderIdentity(folder_, newFolderId_)) {
        ok = false;
        text = lines({QStringLiteral("フォルダーの識別ファイル %1 を保存できませんでした。")
                          .arg(FolderIdentityFileName),
                      QStringLiteral("次の公開では全ての予定をもう一度送ります。")});
    } else if (write && !record_.write(folder_)) {
        ok = false;
        text = lines({QStringLiteral("公開の記録(%1)を保存できませんでした。").arg(CalDavStateFileName),
                      QStringLiteral("次の公開では全ての予定をもう一度送ります。")});
    }
    emit finished(ok, text);
}

void CalDavPublisher::cancel() {
    if (!running_ || failed_)
        return;
    failed_ = true;
    failure_ = QStringLiteral("公開を途中で止めました。");
    steps_.clear();
    startNext();
}

bool CalDavPublisher::waitForFinished(int ms) {
    return waitForSignal(this, &CalDavPublisher::finished, running_, ms);
}

} // namespace hibimo
