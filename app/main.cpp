#include "app/FolderLock.h"
#include "app/HbmFrm.h"
#include "calendar/Records.h"
#include "dialogs/HbmModule.h"
#include "toolkit/AppIcon.h"
#include "toolkit/Fonts.h"
#include "toolkit/Form.h"
#include "toolkit/QtInteraction.h"
#include "toolkit/Translations.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(signalPipe[0], &byte, 1);
}

// SIGTERM and SIGHUP end the program the way the close box does: the shown year and the settings
// are saved. The handler only wakes the event loop; the shut-down runs there.
void catchTerminationSignals(QObject* context, std::function<void()> shutDown) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [notifier, shutDown] {
        char byte = 0;
        [[maybe_unused]] auto got = ::read(signalPipe[1], &byte, 1);
        notifier->setEnabled(false);
        shutDown();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

// The session's end arrives as the application's Quit, which would close every window at once, a
// modal one under its waiting handler included: it ends the program the way a signal does. The Quit
// of that end itself passes.
class QuitFromOutside : public QObject {
  public:
    QuitFromOutside(hibimo::Interaction& ui, std::function<void()> end) : ui_(ui), end_(std::move(end)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Quit || ui_.ending())
            return QObject::eventFilter(watched, event);
        end_();
        return true;
    }

  private:
    hibimo::Interaction& ui_;
    std::function<void()> end_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hibimo"));
    // The desktop entry's name: the desktop matches the running window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("hibimo"));
    hibimo::installFontSubstitutions();
    hibimo::installQtTranslations(app);
    hibimo::installAppIcon();
    const QString folder = QCoreApplication::applicationDirPath();
    hibimo::QtInteraction ui(folder);

    QLockFile lock(QDir(folder).filePath(QStringLiteral("Hibimo.lock")));
    if (!hibimo::openProgramFolder(lock, folder, ui))
        return 1;

    hibimo::HbmModule m(folder, ui);
    hibimo::HbmFrm frm(m);
    hibimo::Form::setMainForm(&frm);
    frm.Form_Load();
    frm.show();
    frm.centreOnScreen();

    auto endFromOutside = [&ui, &frm] {
        ui.endFromOutside([&frm] {
            frm.shutDown();
            // Closes the other windows as Qt does at the end (a list editor saves a list that passes
            // its check); one that refuses to close does not keep the program alive.
            QCoreApplication::quit();
            QCoreApplication::exit(0);
        });
    };
    catchTerminationSignals(&app, endFromOutside);
    QuitFromOutside quitFromOutside(ui, endFromOutside);
    app.installEventFilter(&quitFromOutside);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [&ui, &frm](QSessionManager&) { ui.whenNoModalOpen([&frm] { frm.commitData(); }); });
    return app.exec();
}
