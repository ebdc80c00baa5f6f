// Publishing against a real CalDAV server and a real keyring, started by with_services.sh.
#include "sharing/CalDavPublisher.h"
#include "sharing/PasswordStore.h"
#include "tests/CoreSupport.h"
#include "tests/sharing/Services.h"

#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <gtest/gtest.h>
#include <utility>

namespace hibimo {
namespace {

TEST(Publish, TheCollectionHoldsExactlyTheCalendarBesideOtherEvents) {
    Publishing p(env("HIBIMO_CALDAV_URL") + "../exact/");
    ASSERT_EQ(QProcess::execute(env("HIBIMO_CALDAV_CLIENT"), {p.settings.url, p.settings.user,
                                                              env("HIBIMO_CALDAV_PASSWORD"), "mkcalendar"}),
              0);
    CalendarResources resources = someEvents(5);
    EXPECT_EQ(p.run(resources).created, 5);
    ASSERT_TRUE(p.ok) << p.message.toStdString();
    secondClient(p.settings.url, "create", "phone-1", "電話で作った予定");

    resources[1] = event("ev1", "変更した予定");
    resources.erase(resources.begin() + 2);
    resources.push_back(event("ev9", "新しい予定"));
    const PublishCounts second = p.run(resources);
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(second.requests, 3);
    EXPECT_EQ(second.created, 1);
    EXPECT_EQ(second.changed, 1);
    EXPECT_EQ(second.deleted, 1);
    EXPECT_EQ(second.unchanged, 3);
    EXPECT_EQ(serverEvents(p.settings.url),
              QStringList({"ev0\t予定 0", "ev1\t変更した予定", "ev3\t予定 3", "ev4\t予定 4",
                           "ev9\t新しい予定", "phone-1\t電話で作った予定"}));

    // Edited on a phone only: put back as the calendar has it.
    secondClient(p.settings.url, "modify", "ev3", "電話で変えた");
    EXPECT_EQ(p.run(resources).changed, 1);
    EXPECT_TRUE(serverEvents(p.settings.url).contains("ev3\t予定 3"));

    // Edited on a phone while the calendar's change is on its way (412): the calendar's version
    // wins, and the next publish has nothing to send.
    resources[0] = event("ev0", "カレンダーで変えた");
    bool edited = false;
    QObject::connect(&p.publisher, &CalDavPublisher::progress, [&](int done, int) {
        if (done == 0 && !std::exchange(edited, true))
            secondClient(p.settings.url, "modify", "ev0", "電話で変えた");
    });
    EXPECT_EQ(p.run(resources).conflicts, 1);
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.run(resources).requests, 0);
    EXPECT_TRUE(serverEvents(p.settings.url).contains("ev0\tカレンダーで変えた"));

    // Only what changed since the stored sync token is listed; a token the server no longer knows
    // falls back to the full listing.
    EXPECT_EQ(p.publisher.counts().listings, 1);
    EXPECT_TRUE(PublishRecord::read(p.f.dir.path())->syncToken().startsWith("http://radicale.org/ns/sync/"));
    PublishRecord record = *PublishRecord::read(p.f.dir.path());
    record.setSyncToken("http://radicale.org/ns/sync/unknown");
    ASSERT_TRUE(record.write(p.f.dir.path()));
    EXPECT_EQ(p.run(resources).requests, 0);
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.publisher.counts().listings, 2);

    for (const QString& name : QDir(p.f.dir.path()).entryList(QDir::Files))
        EXPECT_FALSE(p.f.bytes(name).contains(env("HIBIMO_CALDAV_PASSWORD").toUtf8())) << name.toStdString();
}

TEST(Publish, AFailureSaysWhatToCheckAndTheNextPublishRetries) {
    const struct {
        const char* name;
        QString url;
        QString password;
        QString firstLine;
    } rows[] = {
        {"wrong password", env("HIBIMO_CALDAV_URL"), "wrong",
         "サーバーがユーザー名かパスワードを受け付けませんでした(401)。"},
        {"server stopped", env("HIBIMO_CLOSED_PORT_URL"), env("HIBIMO_CALDAV_PASSWORD"),
         "サーバーに接続できませんでした。"},
        {"untrusted certificate", env("HIBIMO_UNTRUSTED_URL"), env("HIBIMO_CALDAV_PASSWORD"),
         "サーバーの証明書を確かめられないため、接続しませんでした。"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Publishing p(row.url);
        p.f.writeBytes("HB2026.hbd", "a year");
        p.run(someEvents(3, "retry"), row.password);
        EXPECT_FALSE(p.ok);
        EXPECT_EQ(p.message.section('\r', 0, 0), row.firstLine);
        EXPECT_EQ(p.message.section('\r', 2), "ファイルは何も変わっていません。次の公開でもう一度送ります。");
        EXPECT_EQ(p.f.bytes("HB2026.hbd"), QByteArray("a year"));
        if (row.url == env("HIBIMO_CALDAV_URL")) {
            EXPECT_EQ(p.run(someEvents(3, "retry")).created, 3);
            EXPECT_TRUE(p.ok);
        }
    }
}

TEST(CalDavSettings, RoundTripWithoutThePassword) {
    test::Fixture f;
    CalDavSettings s;
    s.url = "https://cloud.example.org/dav/年/";
    s.user = "family";
    s.kinds.privateNotes = true;
    s.kinds.marks = false;
    s.atExit = true;
    ASSERT_TRUE(writeCalDavSettings(f.dir.path(), s));
    const CalDavSettings back = readCalDavSettings(f.dir.path());
    EXPECT_EQ(back.url, s.url);
    EXPECT_EQ(back.user, s.user);
    EXPECT_TRUE(back.kinds.privateNotes && !back.kinds.marks && back.kinds.publicNotes);
    EXPECT_TRUE(back.atExit && !back.afterSave);
}

// The real Secret Service of the session: a password written is read back, and gone once removed.
TEST(Keyring, ThePasswordLivesInTheKeyring) {
    PasswordStore store;
    const auto call = [&](auto operation) {
        QEventLoop loop;
        std::pair<PasswordStore::Outcome, QString> answer;
        operation([&](PasswordStore::Outcome o, const QString& text) {
            answer = {o, text};
            loop.quit();
        });
        loop.exec();
        return answer;
    };
    const QString url = env("HIBIMO_CALDAV_URL");
    using O = PasswordStore::Outcome;
    EXPECT_EQ(call([&](auto done) { store.write(url, "family", "秘密 pass", done); }).first, O::Done);
    EXPECT_EQ(call([&](auto done) { store.read(url, "family", done); }),
              std::make_pair(O::Done, QString("秘密 pass")));
    EXPECT_EQ(call([&](auto done) { store.read(url, "other", done); }).first, O::NotFound);
    EXPECT_EQ(call([&](auto done) { store.remove(url, "family", done); }).first, O::Done);
    EXPECT_EQ(call([&](auto done) { store.read(url, "family", done); }).first, O::NotFound);
}

} // namespace
} // namespace hibimo
