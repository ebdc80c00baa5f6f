// Finding the calendars of an account from the server's address, against the servers
// with_services.sh starts, and the reading of the answers on their own.
#include "sharing/CalDavDiscovery.h"
#include "tests/sharing/Services.h"

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

struct Found {
    bool ok = false;
    QString message;
    std::vector<DavResource> calendars;
};

Found find(CalDavDiscovery& d, const QString& address,
           const QString& password = env("HIBIMO_CALDAV_PASSWORD")) {
    Found f;
    QObject::connect(
        &d, &CalDavDiscovery::finished, &d,
        [&f](bool ok, const QString& m) {
            f.ok = ok;
            f.message = m;
        },
        Qt::SingleShotConnection);
    d.find(QUrl(address), env("HIBIMO_CALDAV_USER"), password);
    EXPECT_TRUE(d.waitForFinished(30000));
    f.calendars = d.calendars();
    return f;
}

QStringList names(const std::vector<DavResource>& calendars) {
    QStringList list;
    for (const DavResource& c : calendars)
        list << c.name;
    return list;
}

TEST(Discovery, FindsAndCreatesCalendarsFromTheServersAddressAndPublishesThere) {
    const QUrl radicale(env("HIBIMO_CALDAV_URL"));
    const QString radicaleAddress = radicale.adjusted(QUrl::RemovePath).toString();
    for (const QString& address : {radicaleAddress, env("HIBIMO_XANDIKOS_ADDRESS")}) {
        SCOPED_TRACE(address.toStdString());
        CalDavDiscovery d;
        Found f = find(d, address);
        ASSERT_TRUE(f.ok) << f.message.toStdString();
        EXPECT_FALSE(f.calendars.empty());
        const int before = int(f.calendars.size());

        QObject::connect(
            &d, &CalDavDiscovery::finished, &d,
            [&f](bool ok, const QString& m) {
                f.ok = ok;
                f.message = m;
            },
            Qt::SingleShotConnection);
        d.create(QStringLiteral("Hibimo"));
        ASSERT_TRUE(d.waitForFinished(30000));
        ASSERT_TRUE(f.ok) << f.message.toStdString();
        const QString created = d.calendars().front().url.toString();

        f = find(d, address);
        EXPECT_EQ(int(f.calendars.size()), before + 1);
        EXPECT_TRUE(names(f.calendars).contains("Hibimo"));

        Publishing p(created);
        EXPECT_EQ(p.run(someEvents(2)).created, 2);
        EXPECT_TRUE(p.ok) << p.message.toStdString();
        // The calendar's own address is the one calendar found, as before.
        f = find(d, created);
        ASSERT_EQ(f.calendars.size(), 1u);
        EXPECT_EQ(f.calendars.front().url.toString(), created);
    }
    CalDavDiscovery d;
    Found f = find(d, radicaleAddress, "wrong");
    EXPECT_FALSE(f.ok);
    EXPECT_TRUE(f.message.startsWith("サーバーがユーザー名かパスワードを受け付けませんでした(401)。"));
}

} // namespace
} // namespace hibimo
