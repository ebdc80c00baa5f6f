// The real dialogs and windows of the Qt interaction, each waiting in its own event loop, when the
// program is ended from outside while they are open.
#include "toolkit/Form.h"
#include "toolkit/QtInteraction.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

// Closes whatever modal window is still open after a few seconds, so that a failure cannot hang the run.
struct Watchdog {
    bool fired = false;
    QTimer timer;
    Watchdog() {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            fired = true;
            while (QWidget* w = QApplication::activeModalWidget()) {
                if (auto* dialog = qobject_cast<QDialog*>(w))
                    dialog->done(0);
                else
                    w->close();
            }
        });
        timer.start(5000);
    }
};

TEST(ProgramEndFromOutside, EveryOpenQuestionClosesAsCancelledAndTheShutDownWaitsForItsHandler) {
    QTemporaryDir dir;
    struct Row {
        const char* name;
        std::function<QString(QtInteraction&)> ask; // the answer as text
    } rows[] = {
        {"message",
         [](QtInteraction& ui) {
             ui.message("テスト");
             return QString("shown");
         }},
        {"prompt", [](QtInteraction& ui) { return ui.prompt("太さ", "題", "2"); }},
        {"colour chooser",
         [](QtInteraction& ui) { return QString::number(ui.chooseColour(0xFFFFFF, "t").value_or(-1)); }},
        {"open file dialog", [](QtInteraction& ui) { return ui.openFileName("配色設定File *.ccf|*.ccf|"); }},
        {"save file dialog", [](QtInteraction& ui) { return ui.saveFileName("配色設定File *.ccf|*.ccf|"); }},
        {"one of the program's windows",
         [](QtInteraction& ui) {
             Form window;
             return QString(ui.showModal(window) ? "closed" : "cancelled");
         }},
    };
    const QString cancelled[] = {"shown", "", "-1", "", "", "cancelled"};
    int k = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QtInteraction ui(dir.path());
        QStringList order;
        Watchdog watchdog;
        QTimer::singleShot(200, [&] {
            order << "end";
            ui.endFromOutside([&] { order << "shut down"; });
        });
        const QString answer = row.ask(ui);
        order << "returned";
        QCoreApplication::sendPostedEvents();
        EXPECT_FALSE(watchdog.fired) << "the window stayed open";
        EXPECT_EQ(answer, cancelled[k]);
        EXPECT_EQ(order, QStringList({"end", "returned", "shut down"}));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

        // Asked again while the program ends: answered at once, without a window.
        Watchdog again;
        QTimer::singleShot(0, [&] { order << "a window waited"; });
        EXPECT_EQ(row.ask(ui), cancelled[k]);
        EXPECT_FALSE(again.fired);
        EXPECT_EQ(order.size(), 3);
        QCoreApplication::processEvents();
        ++k;
    }
}

TEST(ProgramEndFromOutside, TheSessionSaveWaitsUntilNoModalWindowIsOpen) {
    QTemporaryDir dir;
    QtInteraction ui(dir.path());
    QStringList order;
    Watchdog watchdog;
    auto closeMessageAfter = [&order](int ms, const QString& note, std::function<void()> before = {}) {
        QTimer::singleShot(ms, [&order, note, before] {
            if (before)
                before();
            order << note;
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->done(0);
        });
    };
    closeMessageAfter(200, "first answered", [&] { ui.whenNoModalOpen([&] { order << "saved"; }); });
    ui.message("一つ目");
    // A handler that asks again before it returns to the event loop: the save still waits.
    closeMessageAfter(200, "second answered");
    ui.message("二つ目");
    order << "handler returned";
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(watchdog.fired);
    EXPECT_EQ(order, QStringList({"first answered", "second answered", "handler returned", "saved"}));

    ui.whenNoModalOpen([&] { order << "saved at once"; });
    EXPECT_EQ(order.last(), "saved at once");
}

} // namespace
} // namespace hibimo
