// The real dialogs and windows of the Qt interaction, each waiting in its own event loop, when the
// program is ended from outside while they are open: what each shows, and how it closes.
#include "toolkit/Form.h"
#include "toolkit/QtInteraction.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

// A modal window's title, how many buttons it offers, and a colour chooser's preset colour.
QString shown(const QWidget* w) {
    const auto* buttons = w->findChild<QDialogButtonBox*>();
    const auto* chooser = qobject_cast<const QColorDialog*>(w);
    return w->windowTitle() + QString(" %1 ").arg(buttons ? buttons->buttons().size() : 0) +
           (chooser ? chooser->currentColor().name() : QString());
}

// Closes whatever modal window is still open after a few seconds, so that a failure cannot hang the run.
struct Watchdog {
    bool fired = false;
    QTimer timer;
    Watchdog() {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            fired = true;
            QApplication::closeAllWindows();
        });
        timer.start(5000);
    }
};

TEST(ProgramEndFromOutside, EveryOpenQuestionClosesAsCancelledAndTheShutDownWaitsForItsHandler) {
    QTemporaryDir dir;
    const struct {
        const char* name;
        std::function<QString(QtInteraction&)> ask; // the answer as text
        QString cancelled, shown;
    } rows[] = {
        {"message", [](QtInteraction& ui) { return ui.message("テスト"), QString("shown"); }, "shown",
         "Hibimo 1 "},
        {"prompt", [](QtInteraction& ui) { return ui.prompt("太さ", "題", "2"); }, "", "題 2 "},
        {"colour chooser, preset from 0x00BBGGRR",
         [](QtInteraction& ui) { return QString::number(ui.chooseColour(0x3020F0, "t").value_or(-1)); }, "-1",
         "t 2 #f02030"},
        {"open file dialog", [](QtInteraction& ui) { return ui.openFileName("配色設定File *.ccf|*.ccf|"); },
         "", "Hibimo 2 "},
        {"save file dialog", [](QtInteraction& ui) { return ui.saveFileName("配色設定File *.ccf|*.ccf|"); },
         "", "Hibimo 2 "},
        {"one of the program's windows",
         [](QtInteraction& ui) {
             Form window;
             return QString(ui.showModal(window) ? "closed" : "cancelled");
         },
         "cancelled", " 0 "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QtInteraction ui(dir.path());
        QStringList order;
        Watchdog watchdog;
        QTimer::singleShot(200, [&] {
            EXPECT_EQ(shown(QApplication::activeModalWidget()), row.shown);
            order << "end";
            ui.endFromOutside([&] { order << "shut down"; });
        });
        const QString answer = row.ask(ui);
        order << "returned";
        QCoreApplication::sendPostedEvents();
        EXPECT_FALSE(watchdog.fired) << "the window stayed open";
        EXPECT_EQ(answer, row.cancelled);
        EXPECT_EQ(order, QStringList({"end", "returned", "shut down"}));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

        // Asked again while the program ends: answered at once, without a window.
        Watchdog again;
        QTimer::singleShot(0, [&] { order << "a window waited"; });
        EXPECT_EQ(row.ask(ui), row.cancelled);
        EXPECT_FALSE(again.fired);
        EXPECT_EQ(order.size(), 3);
        QCoreApplication::processEvents();
    }
}

} // namespace
} // namespace hibimo
