// [公開設定] and [公開] on the main window, beside the real server and keyring of with_services.sh.
#include "app/PublishCommands.h"

#include "calendar/YearFile.h"
#include "dialogs/HbmCalDav.h"
#include "sharing/PublishMessages.h"
#include "tests/TestSupport.h"
#include "tests/sharing/Services.h"

#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

TEST(PublishCommands, TheCalendarIsFoundFromTheServersAddress) {
    Calendar cal;
    QString created;
    cal.ui.promptAnswers = {"0", "1"};
    cal.ui.modalActions.push_back([&](QWidget& w) {
        auto& dialog = dynamic_cast<HbmCalDav&>(w);
        dialog.TxtUrl->setText(QUrl(env("HIBIMO_CALDAV_URL")).adjusted(QUrl::RemovePath).toString());
        dialog.TxtUser->setText(env("HIBIMO_CALDAV_USER"));
        dialog.TxtPassword->setText(env("HIBIMO_CALDAV_PASSWORD"));
        dialog.ComFind->click(); // "0": a new calendar
        created = dialog.TxtUrl->text();
        dialog.ComFind->click(); // the calendar's own address: just that one, nothing to create
        EXPECT_EQ(dialog.TxtUrl->text(), created);
        dialog.ComCalDav[0]->click();
    });
    cal.f().CmdPublishSettings->click();
    ASSERT_EQ(cal.ui.prompts.size(), 2u);
    EXPECT_TRUE(cal.ui.prompts[0].prompt.contains("\r1  "));
    EXPECT_TRUE(cal.ui.prompts[0].prompt.endsWith("\r0  新しいカレンダー「Hibimo」を作る"));
    EXPECT_EQ(cal.ui.prompts[1].prompt, "使うカレンダーの番号を入力下さい。\r1  Hibimo");
    const CalDavSettings settings = readCalDavSettings(cal.dir.path());
    EXPECT_TRUE(settings.url.startsWith(env("HIBIMO_CALDAV_URL") + "../") ||
                settings.url.contains("/family/"));
    cal.m().PubLine[4][19] = "運動会";
    cal.f().CmdPublish->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !cal.ui.messages.empty(); }, 30000));
    EXPECT_TRUE(cal.ui.messages[0].text.startsWith("カレンダーに公開しました。"))
        << cal.ui.messages[0].text.toStdString();
    EXPECT_FALSE(secondClient(settings.url, {"list"}).filter("\t運動会").isEmpty());
}

// Run by the "publishing_no_keyring" test, where no keyring answers: the user is told once, and the
// password asked for is kept for the run only.
TEST(PublishCommandsWithoutKeyring, ThePasswordIsAskedOnceAndKeptInMemory) {
    if (qEnvironmentVariableIsEmpty("HIBIMO_NO_KEYRING"))
        GTEST_SKIP() << "needs a desktop without a keyring";
    const QString url = env("HIBIMO_CALDAV_URL") + "../nokeyring/";
    secondClient(url, {"mkcalendar"});
    Calendar cal;
    CalDavSettings settings;
    settings.url = url;
    settings.user = env("HIBIMO_CALDAV_USER");
    ASSERT_TRUE(writeCalDavSettings(cal.dir.path(), settings));
    cal.m().PubLine[4][19] = "運動会";
    cal.ui.promptAnswers.push_back(env("HIBIMO_CALDAV_PASSWORD"));
    CalDavPublisher& publisher = cal.f().publishCommands().publisher();
    for (int publish = 0; publish < 2; ++publish) {
        cal.f().CmdPublish->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return cal.ui.messages.size() == 2u + publish; }, 30000));
    }
    EXPECT_EQ(cal.ui.prompts.size(), 1u);
    EXPECT_EQ(cal.ui.messages[0].text, publishText::NoKeyring);
    EXPECT_TRUE(cal.ui.messages[1].text.startsWith("カレンダーに公開しました。"));
    EXPECT_EQ(publisher.counts().requests, 0);
    for (const QString& name : QDir(cal.dir.path()).entryList(QDir::Files))
        EXPECT_FALSE(cal.bytes(name).contains(env("HIBIMO_CALDAV_PASSWORD").toUtf8())) << name.toStdString();
}

} // namespace
} // namespace hibimo::test
