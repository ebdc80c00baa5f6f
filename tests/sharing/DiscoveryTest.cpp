// Finding the calendars of an account from the server's address, against the servers
// with_services.sh starts, and the reading of the answers on their own.
#include "sharing/CalDavDiscovery.h"
#include "tests/sharing/Services.h"

#include <functional>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

QByteArray multistatus(const QByteArray& responses) {
    return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" "
           "xmlns:c=\"urn:ietf:params:xml:ns:caldav\">" +
           responses + "</d:multistatus>";
}

QByteArray response(const QByteArray& href, const QByteArray& props, const QByteArray& status = "200 OK") {
    return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop>" + props +
           "</d:prop><d:status>HTTP/1.1 " + status + "</d:status></d:propstat></d:response>";
}

TEST(Discovery, ReadsPrincipalHomeAndCalendarsFromAMultistatus) {
    const QUrl base("https://dav.example.org/dav/");
    const QByteArray calendar = "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype>";
    const struct {
        const char* name;
        QByteArray xml;
        QString principal, home, calendars; // calendars: "url name" joined by "|"
    } rows[] = {
        {"principal",
         multistatus(response("/dav/", "<d:current-user-principal><d:href>/p/jo/</d:href>"
                                       "</d:current-user-principal>")),
         "https://dav.example.org/p/jo/", "", ""},
        {"home, relative href",
         multistatus(response("/p/jo/", "<c:calendar-home-set><d:href>cal/</d:href>"
                                        "</c:calendar-home-set>")),
         "", "https://dav.example.org/dav/cal/", ""},
        {"a 404 propstat counts for nothing",
         multistatus(response("/p/jo/", "<c:calendar-home-set><d:href>/h/</d:href></c:calendar-home-set>",
                              "404 Not Found")),
         "", "", ""},
        {"calendars only, named or by path",
         multistatus(response("/h/", "<d:resourcetype><d:collection/></d:resourcetype>") +
                     response("/h/family/", calendar + "<d:displayname>家族</d:displayname>") +
                     response("/h/work/", calendar) +
                     response("/h/contacts/", "<d:resourcetype><d:collection/></d:resourcetype>")),
         "", "", "https://dav.example.org/h/family/ 家族|https://dav.example.org/h/work/ work"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto found = readDavResources(row.xml, base);
        ASSERT_TRUE(found && !found->empty());
        EXPECT_EQ(found->front().principal.toString(), row.principal);
        EXPECT_EQ(found->front().home.toString(), row.home);
        QStringList calendars;
        for (const DavResource& c : calendarsAmong(*found))
            calendars << c.url.toString() + ' ' + c.name;
        EXPECT_EQ(calendars.join('|'), row.calendars);
    }
    for (const QByteArray& broken : {QByteArray("not xml"), QByteArray("<d:multistatus xmlns:d=\"DAV:\">"),
                                     multistatus("<d:response><d:propstat/></d:response>")})
        EXPECT_FALSE(readDavResources(broken, base)) << broken.constData();
}

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
        EXPECT_TRUE(p.ok) << p.message.toStdString();
        // The calendar's own address is the one calendar found, as before.
        EXPECT_EQ(find(created), "|Hibimo");
        EXPECT_EQ(d.calendars().front().url.toString(), created);
    }
    CalDavDiscovery d;
    EXPECT_TRUE(settle(d, [&] {
                    d.find(QUrl(radicale), user, "wrong");
                }).startsWith("サーバーがユーザー名かパスワードを受け付けませんでした(401)。"));
}

} // namespace
} // namespace hibimo
