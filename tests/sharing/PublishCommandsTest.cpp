// [公開設定] and [公開] on the main window, beside the real server and keyring of with_services.sh.
#include "app/PublishCommands.h"

#include "calendar/YearFile.h"
#include "dialogs/HbmCalDav.h"
#include "sharing/PublishMessages.h"
#include "tests/TestSupport.h"
#include "tests/sharing/Services.h"

namespace hibimo::test {
namespace {

TEST(PublishCommands, SetUpOncePublishedOnDemandAndAfterEachSave) {
    const QString url = env("HIBIMO_CALDAV_URL") + "../window/";
    secondClient(url, {"mkcalendar"});
    Calendar cal;
    cal.f().CmdPublish->click(); // not set up yet: told so, checked with the dialog's message below

    cal.ui.modalActions.push_back([&](QWidget& w) {
        auto& dialog = dynamic_cast<HbmCalDav&>(w);
        dialog.TxtUrl->setText("http://cloud.example.org/family/year/");
        QTest::keyClick(&dialog, Qt::Key_Return); // refused: the dialog stays open
        dialog.TxtUrl->setText(url);
        dialog.TxtUser->setText(env("HIBIMO_CALDAV_USER"));
        dialog.TxtPassword->setText(env("HIBIMO_CALDAV_PASSWORD"));
        dialog.ChkAfterSave->setChecked(true);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    cal.f().CmdPublishSettings->click();
    EXPECT_EQ(cal.ui.messageTexts(), QStringList({publishText::NotConfigured, publishText::PlainHttp}));
    cal.ui.messages.clear();

    // The password went to the keyring; a new window of the same folder finds it there.
    PasswordStore keyring;
    QString stored;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            keyring.read(url, env("HIBIMO_CALDAV_USER"), [&](auto, const QString& text) { stored = text; });
            return QTest::qWaitFor([&] { return stored == env("HIBIMO_CALDAV_PASSWORD"); }, 1000);
        },
        10000));
    Calendar again;
    cal.frm.reset();
    for (const QString& name : QDir(cal.dir.path()).entryList({"Hb*.ini", "HB*.id"}))
        QFile::copy(cal.path(name), again.path(name));
    again.m().PubLine[4][19] = "運動会";
    again.f().CmdPublish->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !again.ui.messages.empty(); }, 30000));
    EXPECT_TRUE(again.ui.prompts.empty());
    EXPECT_EQ(again.ui.messageTexts(),
              QStringList{"カレンダーに公開しました。\r新しい予定 368件、変更 0件、削除 0件、"
                          "変更なし 0件"});
    EXPECT_EQ(secondClient(url, {"list"}).filter("\t運動会").size(), 1);

    // The save publishes by itself, and only what changed.
    again.m().PubLine[4][19] = "雨天順延";
    ASSERT_TRUE(PCwrite(again.m(), again.m().LoadedYear));
    CalDavPublisher& publisher = again.f().publishCommands().publisher();
    ASSERT_TRUE(QTest::qWaitFor([&] { return publisher.counts().changed == 1 && !publisher.busy(); }, 30000));
    EXPECT_EQ(publisher.counts().requests, 1);
    EXPECT_EQ(again.ui.messages.size(), 1u);
    EXPECT_EQ(secondClient(url, {"list"}).filter("\t雨天順延").size(), 1);
}

// What the window says when the settings or the record need explaining, and nothing at all while the
// program ends: a failure then is told at the next publish.
TEST(PublishCommands, ExplainedSettingsAndNoWindowAtClose) {
    Calendar cal;
    cal.writeBytes("HbCalDav.ini", "\"http://cloud.example.org/family/\"\r\n\"family\"\r\n\"0000000\"\r\n");
    cal.f().CmdPublish->click();

    cal.writeBytes("HbCalDav.dat", "\"https://old.example.org/family/\"\r\n\"ev MQ== digest\"\r\n");
    cal.ui.modalActions.push_back([&](QWidget& w) {
        auto& dialog = dynamic_cast<HbmCalDav&>(w);
        dialog.TxtUrl->setText(env("HIBIMO_CLOSED_PORT_URL"));
        dialog.TxtUser->setText("josé");
        QTest::keyClick(&dialog, Qt::Key_Return); // refused: the dialog stays open
        dialog.TxtUser->setText("family");
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    const QByteArray record = cal.bytes("HbCalDav.dat");
    cal.f().CmdPublishSettings->click();
    EXPECT_EQ(
        cal.ui.messageTexts(),
        QStringList({"HbCalDav.ini のカレンダーのURL http://cloud.example.org/family/ は使えません。\r" +
                         publishText::PlainHttp,
                     "ユーザー名の次の文字は保存できません: é\rサーバーに登録したユーザー名を確認下さい。",
                     publishText::collectionChanged("https://old.example.org/family/")}));
    cal.ui.messages.clear();

    const QString refused = publishText::NoConnection + "\r" + publishText::NothingChanged;
    cal.ui.promptAnswers.push_back("password");
    cal.f().CmdPublish->click();
    CalDavPublisher& publisher = cal.f().publishCommands().publisher();
    ASSERT_TRUE(QTest::qWaitFor([&] { return publisher.busy(); }, 10000));
    cal.f().publishCommands().beforeExit(3000);
    EXPECT_EQ(std::make_tuple(publisher.busy(), cal.ui.messages.size(), cal.bytes("HbCalDav.dat"),
                              QFile::exists(cal.path("HBShare.id"))),
              std::make_tuple(false, std::size_t(0), record, false));
    Calendar next;
    for (const QString& name : QDir(cal.dir.path()).entryList({"HbCalDav.*"}))
        QFile::copy(cal.path(name), next.path(name));
    next.ui.promptAnswers.push_back("password");
    next.f().CmdPublish->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return next.ui.messages.size() == 2; }, 10000));
    EXPECT_EQ(next.ui.messageTexts(), QStringList({refused, refused}));
}

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
        dialog.ComCalDav[0]->click();
    });
    cal.f().CmdPublishSettings->click();
    ASSERT_EQ(cal.ui.prompts.size(), 2u);
    EXPECT_TRUE(cal.ui.prompts[0].prompt.contains("\r1  "));
    EXPECT_TRUE(cal.ui.prompts[0].prompt.endsWith("\r0  新しいカレンダー「Hibimo」を作る"));
    EXPECT_EQ(cal.ui.prompts[1].prompt, "使うカレンダーの番号を入力下さい。\r1  Hibimo");
    EXPECT_EQ(readCalDavSettings(cal.dir.path()).url, created);
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
    EXPECT_EQ(std::make_tuple(cal.ui.prompts.size(), cal.ui.messages[0].text, publisher.counts().requests),
              std::make_tuple(std::size_t(1), publishText::NoKeyring, 0));
    EXPECT_TRUE(cal.ui.messages[1].text.startsWith("カレンダーに公開しました。"));
    for (const QString& name : QDir(cal.dir.path()).entryList(QDir::Files))
        EXPECT_FALSE(cal.bytes(name).contains(env("HIBIMO_CALDAV_PASSWORD").toUtf8())) << name.toStdString();
}

} // namespace
} // namespace hibimo::test
