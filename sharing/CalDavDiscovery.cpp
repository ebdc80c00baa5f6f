#include "sharing/CalDavDiscovery.h"

#include "sharing/CalDavPublisher.h"
#include "sharing/PublishPlan.h"

#include <QNetworkReply>
#include <QTimer>
#include <QUuid>
#include <QXmlStreamReader>

namespace hibimo {

namespace {

constexpr int MaxHops = 6;

QString lines(const QString& a, const QString& b) {
    return a + QLatin1Char('\r') + b;
}

const QByteArray FindBody =
    QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind xmlns:d=\"DAV:\" "
                      "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop><d:resourcetype/><d:displayname/>"
                      "<d:current-user-principal/><c:calendar-home-set/></d:prop></d:propfind>");

QByteArray mkcalendarBody(const QString& name) {
    return ("<?xml version=\"1.0\" encoding=\"utf-8\"?><c:mkcalendar xmlns:d=\"DAV:\" "
            "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop><d:displayname>" +
            name.toHtmlEscaped() +
            "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VEVENT\"/>"
            "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>")
        .toUtf8();
}

bool isDav(const QXmlStreamReader& xml, QStringView name) {
    return xml.namespaceUri() == u"DAV:" && xml.name() == name;
}

// The href inside the property being read, resolved.
QUrl hrefInside(QXmlStreamReader& xml, const QUrl& base) {
    QUrl url;
    while (xml.readNextStartElement()) {
        if (isDav(xml, u"href") && url.isEmpty())
            url = base.resolved(QUrl(xml.readElementText().trimmed()));
        else
            xml.skipCurrentElement();
    }
    return url;
}

void readProp(QXmlStreamReader& xml, const QUrl& base, DavResource& r) {
    while (xml.readNextStartElement()) {
        if (isDav(xml, u"resourcetype")) {
            while (xml.readNextStartElement()) {
                r.calendar = r.calendar || (xml.namespaceUri() == u"urn:ietf:params:xml:ns:caldav" &&
                                            xml.name() == u"calendar");
                xml.skipCurrentElement();
            }
        } else if (isDav(xml, u"displayname")) {
            r.name = xml.readElementText().trimmed();
        } else if (isDav(xml, u"current-user-principal")) {
            r.principal = hrefInside(xml, base);
        } else if (xml.name() == u"calendar-home-set") {
            r.home = hrefInside(xml, base);
        } else {
            xml.skipCurrentElement();
        }
    }
}

// A propstat's properties count only when its status is 2xx: a 404 one lists what the server lacks.
void readPropstat(QXmlStreamReader& xml, const QUrl& base, DavResource& r) {
    DavResource found;
    int status = 0;
    while (xml.readNextStartElement()) {
        if (isDav(xml, u"prop"))
            readProp(xml, base, found);
        else if (isDav(xml, u"status"))
            status = xml.readElementText().simplified().section(u' ', 1, 1).toInt();
        else
            xml.skipCurrentElement();
    }
    if (status < 200 || status >= 300)
        return;
    r.calendar = r.calendar || found.calendar;
    if (!found.name.isEmpty())
        r.name = found.name;
    if (!found.principal.isEmpty())
        r.principal = found.principal;
    if (!found.home.isEmpty())
        r.home = found.home;
}

// The server pointed (by a redirect or a property) outside the origin the password belongs to.
QString elsewhere(const QUrl& url) {
    return lines(QStringLiteral("サーバーが別の場所 %1 を示したため、探すのを中止しました。")
                     .arg(url.toDisplayString()),
                 QStringLiteral("パスワードはそこへは送っていません。サーバーのアドレスを確認下さい。"));
}

} // namespace

std::optional<std::vector<DavResource>> readDavResources(QByteArrayView bytes, const QUrl& base) {
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (!xml.readNextStartElement() || !isDav(xml, u"multistatus"))
        return std::nullopt;
    std::vector<DavResource> resources;
    while (xml.readNextStartElement()) {
        if (!isDav(xml, u"response")) {
            xml.skipCurrentElement();
            continue;
        }
        DavResource r;
        while (xml.readNextStartElement()) {
            if (isDav(xml, u"href") && r.url.isEmpty())
                r.url = base.resolved(QUrl(xml.readElementText().trimmed()));
            else if (isDav(xml, u"propstat"))
                readPropstat(xml, base, r);
            else
                xml.skipCurrentElement();
        }
        if (r.url.isEmpty())
            return std::nullopt;
        resources.push_back(std::move(r));
    }
    if (xml.hasError())
        return std::nullopt;
    return resources;
}

std::vector<DavResource> calendarsAmong(const std::vector<DavResource>& resources) {
    std::vector<DavResource> calendars;
    for (DavResource r : resources) {
        if (!r.calendar)
            continue;
        if (r.name.isEmpty())
            r.name = r.url.adjusted(QUrl::StripTrailingSlash).fileName();
        calendars.push_back(std::move(r));
    }
    return calendars;
}

CalDavDiscovery::CalDavDiscovery(QObject* parent) : QObject(parent), transport_(this) {
    // Even a home of many calendars answers in far less.
    transport_.setBounds(15000, 60000, 4 << 20);
}

void CalDavDiscovery::find(const QUrl& address, const QString& user, const QString& password) {
    transport_.setTarget(address, user, password);
    origin_ = address;
    candidates_.clear();
    // A bare server address: the well-known place first, then the address itself.
    if (address.path().isEmpty() || address.path() == u"/")
        candidates_.push_back(address.resolved(QUrl(QStringLiteral("/.well-known/caldav"))));
    candidates_.push_back(address);
    home_.clear();
    calendars_.clear();
    hops_ = 0;
    listing_ = false;
    running_ = true;
    QTimer::singleShot(0, this, [this] { next(); });
}

void CalDavDiscovery::next() {
    const QUrl url = candidates_.front();
    candidates_.erase(candidates_.begin());
    ask(url, "0");
}

void CalDavDiscovery::ask(const QUrl& url, const QByteArray& depth) {
    ++hops_;
    transport_.send("PROPFIND", url, {{"Depth", depth}, {"Content-Type", "application/xml; charset=utf-8"}},
                    FindBody, [this](const Answer& answer) { answered(answer); });
}

void CalDavDiscovery::answered(const Answer& answer) {
    if (!answer.refusedRedirect.isEmpty())
        return done(false, elsewhere(answer.refusedRedirect));
    std::optional<std::vector<DavResource>> found;
    if (answer.status == 207 && answer.networkError == QNetworkReply::NoError && !answer.tooLarge &&
        !answer.tooSlow)
        found = readDavResources(answer.body, answer.url);
    if (found && (listing_ || (!found->empty() && found->front().calendar))) {
        calendars_ = calendarsAmong(*found);
        if (!listing_)
            calendars_.resize(std::min<size_t>(calendars_.size(), 1));
        return done(true, {});
    }
    const DavResource self = found && !found->empty() ? found->front() : DavResource();
    const QUrl step = self.home.isEmpty() ? self.principal : self.home;
    if (!step.isEmpty() && !sameOrigin(step, origin_))
        return done(false, elsewhere(step));
    if (!self.home.isEmpty()) {
        home_ = self.home;
        listing_ = true;
        return ask(home_, "1");
    }
    if (!self.principal.isEmpty() && hops_ < MaxHops && self.principal != answer.url)
        return ask(self.principal, "0");
    if (!candidates_.empty())
        return next();
    done(false, found ? lines(QStringLiteral("このアドレスではカレンダーが見つかりませんでした。"),
                              QStringLiteral("サーバーのアドレスを確認下さい。"))
                      : answerProblem(answer));
}

void CalDavDiscovery::create(const QString& name) {
    running_ = true;
    if (home_.isEmpty())
        return done(false, lines(QStringLiteral("カレンダーを作る場所がわかりません。"),
                                 QStringLiteral("サーバーのアドレスから探し直して下さい。")));
    const QUrl url = home_.resolved(QUrl(QUuid::createUuid().toString(QUuid::WithoutBraces) + u'/'));
    transport_.send("MKCALENDAR", url, {{"Content-Type", "application/xml; charset=utf-8"}},
                    mkcalendarBody(name), [this, url, name](const Answer& answer) {
                        if (answer.status != 201 || !answer.refusedRedirect.isEmpty())
                            return done(false, answerProblem(answer));
                        calendars_ = {DavResource{url, true, name, {}, {}}};
                        done(true, {});
                    });
}

void CalDavDiscovery::done(bool ok, const QString& message) {
    running_ = false;
    emit finished(ok, message);
}

bool CalDavDiscovery::waitForFinished(int ms) {
    return waitForSignal(this, &CalDavDiscovery::finished, running_, ms);
}

} // namespace hibimo
