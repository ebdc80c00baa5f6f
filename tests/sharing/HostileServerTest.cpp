// Publishing against a scripted server on loopback that misbehaves in one way per case.
#include "sharing/CalDavDiscovery.h"
#include "sharing/PublishMessages.h"
#include "tests/sharing/Services.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <gtest/gtest.h>
#include <map>

namespace hibimo {
namespace {

struct HostileServer {
    QProcess process;
    QTemporaryDir dir;
    QString port, otherPort;

    explicit HostileServer(const QString& scenario) {
        process.start("/usr/bin/python3",
                      {QStringLiteral(HIBIMO_SOURCE_DIR "/tests/sharing/hostile_server.py"), scenario,
                       dir.filePath("log")});
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {
        }
        const QStringList ports = QString::fromLatin1(process.readLine()).simplified().split(' ');
        port = ports.value(0);
        otherPort = ports.value(1);
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
        SCOPED_TRACE(row.scenario);
        HostileServer server(row.scenario);
        Publishing p(server.url(row.path), "family");
        p.publisher.setBounds(3000, 1500, 2000, 1 << 20);
        p.f.writeBytes("HB2026.hbd", "a year");
        const auto before = snapshot(p.f);
        p.run(someEvents(2), "secret", "0f5a3c44-7b7e-4b36-9d0e-5c1a2b3c4d5e");
        EXPECT_EQ(p.ok, row.message.isEmpty());
        EXPECT_EQ(p.message, QString(row.message).replace("%1", server.otherPort));
        for (const QString& line : server.requests())
            EXPECT_FALSE(line.startsWith(server.otherPort)) << line.toStdString();
        if (row.message.isEmpty()) {
            EXPECT_EQ(p.publisher.counts().created, 2);
        } else if (row.message.endsWith(NothingChanged)) {
            EXPECT_EQ(snapshot(p.f), before);
        }
    }
}

// Without an ETag, or with a weak one only, what was sent is remembered: nothing unchanged goes
// again, and a weak ETag is never a precondition.
TEST(HostileServer, NoOrWeakEtagSendsOnlyWhatChanged) {
    for (const char* scenario : {"noetag", "weaketag"}) {
        SCOPED_TRACE(scenario);
        HostileServer server(scenario);
        Publishing p(server.url(), "family");
        CalendarResources events = someEvents(3);
        EXPECT_EQ(p.run(events, "secret").created, 3);
        EXPECT_EQ(p.run(events, "secret").requests, 0);
        events[1] = event("ev1", "変えた");
        EXPECT_EQ(p.run(events, "secret").requests, 1);
        EXPECT_TRUE(p.ok) << p.message.toStdString();
        EXPECT_TRUE(server.requests().last().endsWith("PUT /cal/ev1.ics yes -"));
    }
}

// Finding the calendars asks the well-known place first, and is stopped by a redirect elsewhere.
TEST(HostileServer, FindingCalendarsFollowsNoRedirectLeavingTheOrigin) {
    for (const char* scenario : {"redirect301", "redirect307"}) {
        SCOPED_TRACE(scenario);
        HostileServer server(scenario);
        CalDavDiscovery discovery;
        QString message;
        QObject::connect(&discovery, &CalDavDiscovery::finished, [&](bool ok, const QString& text) {
            EXPECT_FALSE(ok);
            message = text;
        });
        discovery.find(QUrl(server.url("/")), "family", "secret");
        ASSERT_TRUE(discovery.waitForFinished(30000));
        EXPECT_EQ(message.section('\r', 0, 0), "サーバーが別の場所 http://127.0.0.1:" + server.otherPort +
                                                   "/elsewhere/ を示したため、探すのを中止しました。");
        EXPECT_EQ(server.requests(), QStringList({server.port + " PROPFIND /.well-known/caldav no -",
                                                  server.port + " PROPFIND /.well-known/caldav yes -"}));
    }
}

} // namespace
} // namespace hibimo
