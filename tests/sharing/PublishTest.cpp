// Publishing against a real CalDAV server and a real keyring, started by with_services.sh.
#include "sharing/CalDavPublisher.h"
#include "sharing/PublishMessages.h"
#include "tests/CoreSupport.h"
#include "tests/sharing/Services.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>
#include <utility>

namespace hibimo {
namespace {

TEST(Publish, TheCollectionHoldsExactlyTheCalendarBesideOtherEvents) {
    Publishing p(env("HIBIMO_CALDAV_URL") + "../exact/");
    secondClient(p.settings.url, {"mkcalendar"});
    CalendarResources resources = someEvents(5);
    EXPECT_EQ(p.run(resources).created, 5);
    ASSERT_TRUE(p.ok) << p.message.toStdString();
    secondClient(p.settings.url, {"create", "phone-1", "電話で作った予定"});

    resources[1] = event("ev1", "変更した予定");
    resources.erase(resources.begin() + 2);
    resources.push_back(event("ev9", "新しい予定"));
    const PublishCounts c = p.run(resources);
    EXPECT_TRUE(p.ok);
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
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.run(resources).requests, 0);
    EXPECT_TRUE(secondClient(p.settings.url, {"list"}).contains("ev0\tカレンダーで変えた"));

    // Only what changed since the stored sync token is listed; a token the server no longer knows
    // falls back to the full listing.
    EXPECT_EQ(p.publisher.counts().listings, 1);
    PublishRecord record = *PublishRecord::read(p.f.dir.path());
    EXPECT_TRUE(record.syncToken().startsWith("http://radicale.org/ns/sync/"));
    record.setSyncToken("http://radicale.org/ns/sync/unknown");
    ASSERT_TRUE(record.write(p.f.dir.path()));
    EXPECT_EQ(p.run(resources).requests, 0);
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.publisher.counts().listings, 2);

    for (const QString& name : QDir(p.f.dir.path()).entryList(QDir::Files))
        EXPECT_FALSE(p.f.bytes(name).contains(env("HIBIMO_CALDAV_PASSWORD").toUtf8())) << name.toStdString();
}

} // namespace
} // namespace hibimo
