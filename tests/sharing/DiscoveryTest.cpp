// Finding the calendars of an account from the server's address, against the servers
// with_services.sh starts, and the reading of the answers on their own.
#include "sharing/CalDavDiscovery.h"
#include "tests/sharing/Services.h"

#include <functional>
#include <gtest/gtest.h>

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
