// Publishing and finding an account's calendars, against the real CalDAV servers and keyring that
// with_services.sh starts and against a scripted server on loopback that misbehaves in one way per case.
#include "sharing/CalDavDiscovery.h"
#include "sharing/PublishMessages.h"
#include "tests/sharing/Services.h"

#include <QDir>
#include <QFile>
#include <QSslConfiguration>
#include <QTextStream>
#include <functional>
#include <map>
#include <utility>

namespace hibimo {
namespace {

// What the discovery said once `start` had run; "" when it succeeded, with the names of the calendars
// found after "|".
QString settle(CalDavDiscovery& d, const std::function<void()>& start) {
    QString said = "(no answer)";
    QObject::connect(
        &d, &CalDavDiscovery::finished, &d, [&](bool ok, const QString& m) { said = ok ? "" : m; },
        Qt::SingleShotConnection);
    start();
    EXPECT_TRUE(d.waitForFinished(30000));
    for (const DavResource& c : d.calendars())
        said += '|' + c.name;
    return said;
}

TEST(Publish, TheCollectionHoldsExactlyTheCalendarBesideOtherEvents) {
    Publishing p(env("HIBIMO_CALDAV_URL") + "../exact/");
    secondClient(p.settings.url, {"mkcalendar"});
    CalendarResources resources = someEvents(5);
    EXPECT_EQ(p.run(resources).created, 5);
    ASSERT_TRUE(p.ok); // without a first publish there is no record for the steps below to read
    secondClient(p.settings.url, {"create", "phone-1", "電話で作った予定"});

    resources[1] = event("ev1", "変更した予定");
    resources.erase(resources.begin() + 2);
    resources.push_back(event("ev9", "新しい予定"));
    const PublishCounts c = p.run(resources);
    EXPECT_EQ(std::make_tuple(c.requests, c.created, c.changed, c.deleted, c.unchanged),
              std::make_tuple(3, 1, 1, 1, 3));
    EXPECT_EQ(secondClient(p.settings.url, {"list"}),
              QStringList({"ev0\t予定 0", "ev1\t変更した予定", "ev3\t予定 3", "ev4\t予定 4",
                           "ev9\t新しい予定", "phone-1\t電話で作った予定"}));

    // Edited on a phone only: put back as the calendar has it.
    secondClient(p.settings.url, {"modify", "ev3", "電話で変えた"});
    EXPECT_EQ(p.run(resources).changed, 1);
    EXPECT_TRUE(secondClient(p.settings.url, {"list"}).contains("ev3\t予定 3"));

    // Edited on a phone while the calendar's change is on its way (412): the calendar's version
    // wins, and the next publish has nothing to send.
    resources[0] = event("ev0", "カレンダーで変えた");
    bool edited = false;
    QObject::connect(&p.publisher, &CalDavPublisher::progress, [&](int done, int) {
        if (done == 0 && !std::exchange(edited, true))
            secondClient(p.settings.url, {"modify", "ev0", "電話で変えた"});
    });
    EXPECT_EQ(p.run(resources).conflicts, 1);
    EXPECT_EQ(p.run(resources).requests, 0);
    EXPECT_TRUE(secondClient(p.settings.url, {"list"}).contains("ev0\tカレンダーで変えた"));

    // Only what changed since the stored sync token is listed; a token the server no longer knows
    // falls back to the full listing.
    EXPECT_EQ(p.publisher.counts().listings, 1);
    PublishRecord record = *PublishRecord::read(p.f.dir.path());
    EXPECT_TRUE(record.syncToken().startsWith("http://radicale.org/ns/sync/"));
    record.setSyncToken("http://radicale.org/ns/sync/unknown");
    ASSERT_TRUE(record.write(p.f.dir.path()));
    const PublishCounts fallback = p.run(resources);
    EXPECT_EQ(std::make_pair(fallback.requests, fallback.listings), std::make_pair(0, 2));

    for (const QString& name : QDir(p.f.dir.path()).entryList(QDir::Files))
        EXPECT_FALSE(p.f.bytes(name).contains(env("HIBIMO_CALDAV_PASSWORD").toUtf8())) << name.toStdString();
}

TEST(Discovery, FindsAndCreatesCalendarsFromTheServersAddressAndPublishesThere) {
    const QString radicale = QUrl(env("HIBIMO_CALDAV_URL")).adjusted(QUrl::RemovePath).toString();
    const QString user = env("HIBIMO_CALDAV_USER");
    for (const QString& address : {radicale, env("HIBIMO_XANDIKOS_ADDRESS")}) {
        SCOPED_TRACE(address.toStdString());
        CalDavDiscovery d;
        auto find = [&](const QString& url) {
            return settle(d, [&] { d.find(QUrl(url), user, env("HIBIMO_CALDAV_PASSWORD")); });
        };
        const QString before = find(address);
        ASSERT_TRUE(before.startsWith('|')) << before.toStdString();
        ASSERT_EQ(settle(d, [&] { d.create("Hibimo"); }), "|Hibimo");
        const QString created = d.calendars().front().url.toString();
        EXPECT_EQ(find(address).split('|').size(), before.split('|').size() + 1);

        Publishing p(created);
        EXPECT_EQ(p.run(someEvents(2)).created, 2);
        // The calendar's own address is the one calendar found, as before.
        EXPECT_EQ(find(created), "|Hibimo");
        EXPECT_EQ(d.calendars().front().url.toString(), created);
    }
    CalDavDiscovery d;
    const QString refused = settle(d, [&] { d.find(QUrl(radicale), user, "wrong"); });
    EXPECT_TRUE(refused.startsWith("サーバーがユーザー名かパスワードを受け付けませんでした(401)。"));
}

// A scripted server on loopback that misbehaves in the one way its scenario names; the tests run it
// without with_services.sh.
struct HostileServer {
    testing::ScopedTrace trace; // names the scenario in every failure while the server runs
    QProcess process;
    QTemporaryDir dir;
    QString port, otherPort;

    explicit HostileServer(const char* scenario) : trace(__FILE__, __LINE__, scenario) {
        process.start("/usr/bin/python3",
                      {QStringLiteral(HIBIMO_SOURCE_DIR "/tests/sharing/hostile_server.py"), scenario,
                       dir.filePath("log")});
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {
        }
        QTextStream(process.readLine()) >> port >> otherPort;
    }
    ~HostileServer() {
        process.kill();
        process.waitForFinished();
    }
    QString url(const QString& path = "/cal/") const {
        if (process.arguments().value(1).startsWith("tls_")) {
            // Trusted by this process only, so that the https to http step itself is what is refused.
            QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
            tls.addCaCertificates(dir.filePath("log.pem"));
            QSslConfiguration::setDefaultConfiguration(tls);
            return "https://127.0.0.1:" + port + path;
        }
        return "http://127.0.0.1:" + port + path;
    }
    // "<port> <method> <path> <auth> <If-Match>" per request seen, by either origin.
    QStringList requests() const {
        QFile log(dir.filePath("log"));
        log.open(QIODevice::ReadOnly);
        return QString::fromLatin1(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }
};

std::map<QString, QByteArray> snapshot(const test::Fixture& f) {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(f.dir.path()).entryList(QDir::Files))
        files[name] = f.bytes(name);
    return files;
}

using namespace publishText;
const QString Redirected = redirected("http://127.0.0.1:%1/elsewhere/") + "\r" + NothingChanged;

TEST(HostileServer, NothingLeavesTheOriginAndAFailureChangesNoFile) {
    const struct {
        const char* scenario;
        QString message; // empty: the publish succeeds
        const char* path = "/cal/";
    } rows[] = {
        {"redirect301", Redirected},
        {"tls_redirect301", Redirected},
        {"redirect307_put", Redirected},
        {"same_origin", {}, "/old/"},
        {"dropped", NoConnection + "\r" + NothingChanged},
        {"malformed", BrokenListing + "\r" + NothingChanged},
        {"oversized", TooLarge + "\r" + NothingChanged},
        {"trickle", NoAnswerInTime + "\r" + NothingChanged},
        {"429", {}},
        {"429_long", statusText(429) + "\r" + PartlySent},
        {"403", statusText(403) + "\r" + NothingChanged},
        {"507", statusText(507) + "\r" + NothingChanged},
    };
    for (const auto& row : rows) {
        HostileServer server(row.scenario);
        Publishing p(server.url(row.path), "family");
        p.publisher.setBounds(3000, 1500, 2000, 1 << 20);
        p.f.writeBytes("HB2026.hbd", "a year");
        const auto before = snapshot(p.f);
        p.succeeds = row.message.isEmpty();
        p.run(someEvents(2), "secret", "0f5a3c44-7b7e-4b36-9d0e-5c1a2b3c4d5e");
        EXPECT_EQ(p.message, QString(row.message).replace("%1", server.otherPort));
        for (const QString& line : server.requests())
            EXPECT_FALSE(line.startsWith(server.otherPort)) << line.toStdString();
        // A publish that failed before sending anything leaves the folder as it was; any other writes.
        EXPECT_EQ(snapshot(p.f) == before, row.message.endsWith(NothingChanged));
        if (row.message.isEmpty()) {
            EXPECT_EQ(p.publisher.counts().created, 2);
        }
    }
}

// Without an ETag, or with a weak one only, what was sent is remembered: nothing unchanged goes
// again, and a weak ETag is never a precondition.
TEST(HostileServer, NoOrWeakEtagSendsOnlyWhatChanged) {
    for (const char* scenario : {"noetag", "weaketag"}) {
        HostileServer server(scenario);
        Publishing p(server.url(), "family");
        CalendarResources events = someEvents(3);
        EXPECT_EQ(p.run(events, "secret").created, 3);
        EXPECT_EQ(p.run(events, "secret").requests, 0);
        events[1] = event("ev1", "変えた");
        EXPECT_EQ(p.run(events, "secret").requests, 1);
        EXPECT_TRUE(server.requests().last().endsWith("PUT /cal/ev1.ics yes -"));
    }
}

// Finding the calendars asks the well-known place first, and is stopped by a redirect elsewhere.
TEST(HostileServer, FindingCalendarsFollowsNoRedirectLeavingTheOrigin) {
    for (const char* scenario : {"redirect301", "redirect307"}) {
        HostileServer server(scenario);
        CalDavDiscovery d;
        EXPECT_EQ(settle(d, [&] { d.find(QUrl(server.url("/")), "family", "secret"); }).section('\r', 0, 0),
                  "サーバーが別の場所 http://127.0.0.1:" + server.otherPort +
                      "/elsewhere/ を示したため、探すのを中止しました。");
        EXPECT_EQ(server.requests(), QStringList({server.port + " PROPFIND /.well-known/caldav no -",
                                                  server.port + " PROPFIND /.well-known/caldav yes -"}));
    }
}

} // namespace
} // namespace hibimo
