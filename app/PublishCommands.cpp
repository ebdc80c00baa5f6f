#include "app/PublishCommands.h"

#include "app/HbmFrm.h"
#include "calendar/Records.h"
#include "dialogs/HbmCalDav.h"
#include "sharing/FolderIdentity.h"
#include "sharing/PublishMessages.h"
#include "sharing/YearEvents.h"
#include "toolkit/Interaction.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

namespace hibimo {

namespace {

QString settingsNotSavedMessage() {
    return CalDavSettingsFileName + QStringLiteral("を保存できませんでした。公開の設定は変わっていません。");
}

QString publishedMessage(const PublishCounts& c) {
    return QStringLiteral("カレンダーに公開しました。") + QLatin1Char('\r') +
           QStringLiteral("新しい予定 %1件、変更 %2件、削除 %3件、変更なし %4件")
               .arg(c.created)
               .arg(c.changed)
               .arg(c.deleted)
               .arg(c.unchanged);
}

const QString PasswordTitle = QStringLiteral("公開のパスワード");
// A publish that failed while the program ended, said at the next publish.
const QString PendingFailureFileName = QStringLiteral("HbCalDav.err");

} // namespace

PublishCommands::PublishCommands(HbmFrm& frm) : frm_(frm), publisher_(frm.m.folder) {
    connect(&publisher_, &CalDavPublisher::finished, this, &PublishCommands::finished);
    connect(&publisher_, &CalDavPublisher::progress, this, &PublishCommands::showProgress);
    frm.m.yearSaved = [this](const QString&) { yearSaved(); };
}

PublishCommands::~PublishCommands() {
    frm_.m.yearSaved = nullptr;
}

void PublishCommands::connectSignals() {
    QObject::connect(frm_.CmdPublish, &QPushButton::clicked, this, [this] { CmdPublish_Click(); });
    QObject::connect(frm_.CmdPublishSettings, &QPushButton::clicked, this,
                     [this] { CmdPublishSettings_Click(); });
}

void PublishCommands::CmdPublishSettings_Click() {
    HbmModule& m = frm_.m;
    HbmCalDav dialog(m);
    dialog.setOpener(&frm_);
    dialog.Form_Load(readCalDavSettings(m.folder));
    dialog.centreOnScreen();
    if (!m.ui.showModal(dialog) || !dialog.accepted)
        return;
    const std::optional<PublishRecord> record = PublishRecord::read(m.folder);
    if (!writeCalDavSettings(m.folder, dialog.settings)) {
        m.ui.message(settingsNotSavedMessage());
        return;
    }
    // The old collection's record stays until the new one has been given the events.
    if (record && !record->resources().empty() && record->collection() != dialog.settings.url)
        m.ui.message(publishText::collectionChanged(record->collection()));
    if (dialog.password.isEmpty())
        return;
    const QString key = PasswordStore::keyOf(dialog.settings.url, dialog.settings.user);
    sessionPassword_ = dialog.password;
    sessionKey_ = key;
    QPointer<PublishCommands> self(this);
    passwords_.write(dialog.settings.url, dialog.settings.user, dialog.password,
                     [self](PasswordStore::Outcome outcome, const QString&) {
                         if (self && outcome != PasswordStore::Outcome::Done)
                             self->tellNoKeyring();
                     });
}

void PublishCommands::CmdPublish_Click() {
    start(Trigger::OnDemand);
}

void PublishCommands::yearSaved() {
    // The save is never kept waiting, and a year being entered may be half loaded while its creation
    // message is up: the publish starts once every modal window has closed.
    QPointer<PublishCommands> self(this);
    QTimer::singleShot(0, this, [self] {
        self->frm_.m.ui.whenNoModalOpen([self] {
            if (self && readCalDavSettings(self->frm_.m.folder).afterSave)
                self->start(Trigger::AfterSave);
        });
    });
}

void PublishCommands::tellNoKeyring() {
    if (toldNoKeyring_)
        return;
    toldNoKeyring_ = true;
    frm_.m.ui.message(publishText::NoKeyring);
}

void PublishCommands::start(Trigger trigger) {
    HbmModule& m = frm_.m;
    const CalDavSettings settings = readCalDavSettings(m.folder);
    if (!settings.configured()) {
        if (trigger == Trigger::OnDemand)
            m.ui.message(settings.problem.isEmpty() ? publishText::NotConfigured : settings.problem);
        return;
    }
    if (trigger != Trigger::AtExit) {
        const QString pending = QDir(m.folder).filePath(PendingFailureFileName);
        if (const std::optional<QString> text = readListFile(pending)) {
            QFile::remove(pending);
            m.ui.message(*text);
        }
    }
    if (publisher_.busy()) {
        // What changed meanwhile goes in one more publish right after this one.
        again_ = true;
        return;
    }
    const QString key = PasswordStore::keyOf(settings.url, settings.user);
    if (sessionPassword_ && sessionKey_ == key) {
        publishWith(settings, *sessionPassword_, trigger);
        return;
    }
    QPointer<PublishCommands> self(this);
    readingPassword_ = true;
    passwords_.read(settings.url, settings.user,
                    [self, settings, key, trigger](PasswordStore::Outcome outcome, const QString& stored) {
                        if (!self)
                            return;
                        self->readingPassword_ = false;
                        if (outcome == PasswordStore::Outcome::Done) {
                            self->publishWith(settings, stored, trigger);
                            return;
                        }
                        // Nothing can be asked while the program ends; the next start publishes.
                        if (trigger == Trigger::AtExit)
                            return;
                        if (outcome == PasswordStore::Outcome::NoKeyring)
                            self->tellNoKeyring();
                        const QString typed = self->frm_.m.ui.password(
                            QStringLiteral("%1 のパスワードを入力下さい。").arg(settings.user),
                            PasswordTitle);
                        if (!self || typed.isEmpty())
                            return;
                        self->sessionPassword_ = typed;
                        self->sessionKey_ = key;
                        if (outcome == PasswordStore::Outcome::NotFound)
                            self->passwords_.write(settings.url, settings.user, typed,
                                                   [](PasswordStore::Outcome, const QString&) {});
                        self->publishWith(settings, typed, trigger);
                    });
}

void PublishCommands::publishWith(const CalDavSettings& settings, const QString& password, Trigger trigger) {
    HbmModule& m = frm_.m;
    if (publisher_.busy())
        return;
    QString error;
    QString unsavedId;
    const QString folderId = folderIdentity(m.folder, &error, &unsavedId, IdentityUse::Publish);
    CalendarResources resources;
    if (!folderId.isEmpty())
        resources = shareResources(m, ShareYears::AllWithFile, settings.kinds, folderId, &error);
    if (!error.isEmpty()) {
        if (trigger == Trigger::OnDemand)
            m.ui.message(error);
        return;
    }
    running_ = trigger;
    publisher_.publish(settings, password, std::move(resources), unsavedId);
    if (trigger != Trigger::AtExit) {
        progress_ = new QProgressDialog(QStringLiteral("カレンダーに公開しています…"), QStringLiteral("中止"),
                                        0, 1, &frm_);
        progress_->setWindowTitle(AppTitle);
        progress_->setWindowModality(Qt::NonModal);
        // Only a publish that takes longer than a moment shows it.
        progress_->setMinimumDuration(500);
        progress_->setAutoClose(false);
        // What reached the server stays recorded; the rest goes with the next publish.
        connect(progress_, &QProgressDialog::canceled, &publisher_, &CalDavPublisher::cancel);
        progress_->setAutoReset(false);
    }
}

void PublishCommands::showProgress(int done, int total) {
    if (!progress_)
        return;
    progress_->setMaximum(std::max(total, 1));
    progress_->setValue(done);
    progress_->setLabelText(QStringLiteral("カレンダーに公開しています… %1 / %2件").arg(done).arg(total));
}

void PublishCommands::finished(bool ok, const QString& message) {
    if (progress_) {
        progress_->deleteLater();
        progress_ = nullptr;
    }
    HbmModule& m = frm_.m;
    // A password the server refused is not offered again.
    if (!ok && publisher_.failureStatus() == 401)
        sessionPassword_.reset();
    if (closing_) {
        // No window may hold the end of the program up: the next publish tells of it.
        if (!ok)
            writeTextFile(QDir(m.folder).filePath(PendingFailureFileName), quotedRecord(message));
        return;
    }
    if (running_ == Trigger::OnDemand)
        m.ui.message(ok ? publishedMessage(publisher_.counts()) : message);
    else if (running_ == Trigger::AfterSave && !ok && !toldAutomaticFailure_)
        m.ui.message(message);
    // An automatic publish that keeps failing says so once, not at every save.
    if (running_ == Trigger::AfterSave)
        toldAutomaticFailure_ = !ok;
    if (again_ && running_ != Trigger::AtExit) {
        again_ = false;
        start(Trigger::AfterSave);
    }
}

void PublishCommands::beforeExit(int ms) {
    const QDeadlineTimer deadline(ms);
    const CalDavSettings settings = readCalDavSettings(frm_.m.folder);
    again_ = false;
    closing_ = true;
    if (!publisher_.busy() && settings.configured() && settings.atExit) {
        start(Trigger::AtExit);
        // The keyring answers on the event loop.
        QEventLoop loop;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &loop, [&] {
            if (publisher_.busy() || !readingPassword_ || deadline.hasExpired())
                loop.quit();
        });
        poll.start(20);
        loop.exec();
    }
    publisher_.waitForFinished(int(std::max<qint64>(0, deadline.remainingTime())));
}

} // namespace hibimo
