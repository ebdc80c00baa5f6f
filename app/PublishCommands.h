#pragma once

#include "sharing/CalDavPublisher.h"
#include "sharing/PasswordStore.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QProgressDialog;

namespace hibimo {

class HbmFrm;

// The publishing commands of the main window: the settings, a publish on demand, and the publishes the
// user chose after each save of a year and at the end. A publish runs on the event loop: the window
// stays usable, and a save never waits for it.
class PublishCommands : public QObject {
    Q_OBJECT
  public:
    explicit PublishCommands(HbmFrm& frm);
    ~PublishCommands() override;
    void connectSignals();

    void CmdPublish_Click();
    void CmdPublishSettings_Click();
    // A year file was written: publish, if the user chose it, once no modal window is open.
    void yearSaved();
    // The program is ending: publish if the user chose it, or let the publish in flight end, waiting
    // at most the given time. What does not reach the server goes with the next publish.
    void beforeExit(int ms = 3000);

    CalDavPublisher& publisher() { return publisher_; }

  private:
    enum class Trigger { OnDemand, AfterSave, AtExit };
    void start(Trigger trigger);
    void publishWith(const CalDavSettings& settings, const QString& password, Trigger trigger);
    void tellNoKeyring();
    void finished(bool ok, const QString& message);
    void showProgress(int done, int total);

    HbmFrm& frm_;
    CalDavPublisher publisher_;
    PasswordStore passwords_;
    // The password where no keyring answers: in memory for this run only.
    std::optional<QString> sessionPassword_;
    QString sessionKey_;
    bool toldNoKeyring_ = false;
    bool toldAutomaticFailure_ = false;
    bool again_ = false;
    bool readingPassword_ = false;
    bool closing_ = false;
    Trigger running_ = Trigger::OnDemand;
    QProgressDialog* progress_ = nullptr;
};

} // namespace hibimo
