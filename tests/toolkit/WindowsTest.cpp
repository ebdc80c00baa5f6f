// The program's windows as their handlers see window events, and the real dialogs and windows of the Qt
// interaction: what a file dialog proposes, and what each shows and how it closes when the program is
// ended from outside while it waits in its own event loop.
#include "toolkit/Form.h"
#include "toolkit/QtInteraction.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

struct Counted : Form {
    int activations = 0;
    bool refuseClose = false;
    void Form_Activate() override { ++activations; }
    void Form_Unload(int& Cancel) override { Cancel = refuseClose ? 1 : 0; }
};

// One letter a step: a the window manager activates the main window, s the other window is shown,
// m it is shown modeless from the main window, r it refuses the close that follows, c it closes, M the main
// window closes.
void play(const char* steps, Counted& main, Counted& other) {
    QEvent activate(QEvent::WindowActivate);
    for (const char* s = steps; *s; ++s) {
        if (*s == 'a')
            QCoreApplication::sendEvent(&main, &activate);
        if (*s == 's')
            other.show();
        if (*s == 'm')
            other.showModeless(&main);
        if (*s == 's' || *s == 'm')
            other.activateIfPending();
        if (*s == 'c')
            other.close();
        other.refuseClose = *s == 'r';
        if (*s == 'M')
            main.close();
    }
}

// When a window's Form_Activate runs: the year is reloaded from its file there, so running it too often
// throws away what is only in memory, and too seldom shows a stale month.
TEST(FormActivation, RunsForTheProgramsOwnWindowsOnly) {
    // Name, steps, the activations of the main window (after its first one) and of the other window.
    const std::tuple<const char*, const char*, std::pair<int, int>> rows[] = {
        {"the first show only", "", {0, 0}},
        {"the window manager's first activation after the show counts once", "a", {0, 0}},
        {"back from another application (or a message box)", "aa", {0, 0}},
        {"back from another window of the program", "sa", {1, 1}},
        {"a modeless window closes: its opener", "mc", {1, 1}},
        {"a window without an opener closes: the main window", "sc", {1, 1}},
        {"a close the window refuses: nothing", "src", {0, 1}},
        {"shown again after it closed: a first activation again", "scs", {1, 2}},
        {"the opener closed before: nothing", "mMc", {0, 1}},
    };
    for (const auto& [name, steps, activations] : rows) {
        Counted main, other;
        Form::setMainForm(&main);
        main.show();
        main.activateIfPending();
        ASSERT_EQ(main.activations, 1) << name;
        play(steps, main, other);
        EXPECT_EQ(std::pair(main.activations - 1, other.activations), activations) << name;
    }
    Form::setMainForm(nullptr);
}

// The suffix is the dialog's own, so that its question before replacing a file sees the real name.
TEST(QtDialogs, AFileDialogProposesANameOfItsKindInItsKindsFolder) {
    QTemporaryDir dir;
    QtInteraction ui(dir.path());
    QString seen;
    const auto look = [&] {
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            seen = d->defaultSuffix() + "|" + d->selectedFiles().value(0) + "|" +
                   (d->testOption(QFileDialog::DontConfirmOverwrite) ? "replaces" : "asks");
            d->reject();
        });
    };
    look();
    EXPECT_EQ(ui.saveFileName({"iCalendar *.ics|*.ics|", "ics", "Hibimo2027.ics"}), "");
    EXPECT_EQ(seen, "ics|" + dir.filePath("Hibimo2027.ics") + "|asks");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    look();
    EXPECT_EQ(ui.openFileName({"配色設定File *.ccf|*.ccf|", "ccf", dir.filePath("sub/a.ccf")}), "");
    EXPECT_EQ(seen, "ccf|" + dir.filePath("sub/a.ccf") + "|asks");
}

// Name, the question (its answer as text), the answer when cancelled, what the window shows: its title,
// how many buttons it offers, a colour chooser's preset colour.
const std::tuple<const char*, std::function<QString(QtInteraction&)>, QString, QString> questions[] = {
    {"message",
     [](QtInteraction& ui) {
         ui.message("テスト");
         return QString("shown");
     },
     "shown", "Hibimo 1 "},
    {"prompt", [](QtInteraction& ui) { return ui.prompt("太さ", "題", "2"); }, "", "題 2 "},
    {"colour chooser, preset from 0x00BBGGRR",
     [](QtInteraction& ui) { return QString::number(ui.chooseColour(0x3020F0, "t").value_or(-1)); }, "-1",
     "t 2 #f02030"},
    {"open file dialog", [](QtInteraction& ui) { return ui.openFileName("配色設定File *.ccf|*.ccf|"); }, "",
     "Hibimo 2 "},
    {"save file dialog", [](QtInteraction& ui) { return ui.saveFileName("配色設定File *.ccf|*.ccf|"); }, "",
     "Hibimo 2 "},
    {"one of the program's windows",
     [](QtInteraction& ui) {
         Form window;
         return QString(ui.showModal(window) ? "closed" : "cancelled");
     },
     "cancelled", " 0 "},
};

TEST(ProgramEndFromOutside, EveryOpenQuestionClosesAsCancelledAndTheShutDownWaitsForItsHandler) {
    QTemporaryDir dir;
    for (const auto& [name, ask, cancelled, shown] : questions) {
        SCOPED_TRACE(name);
        QtInteraction ui(dir.path());
        QStringList order;
        // Closes a window still open after a few seconds, so that a failure cannot hang the run.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        watchdog.callOnTimeout(&QApplication::closeAllWindows);
        watchdog.start(5000);
        QTimer::singleShot(200, [&, expected = shown] {
            const QWidget* window = QApplication::activeModalWidget();
            const auto* buttons = window->findChild<QDialogButtonBox*>();
            const auto* chooser = qobject_cast<const QColorDialog*>(window);
            EXPECT_EQ(window->windowTitle() + QString(" %1 ").arg(buttons ? buttons->buttons().size() : 0) +
                          (chooser ? chooser->currentColor().name() : QString()),
                      expected);
            order << "end";
            ui.endFromOutside([&] { order << "shut down"; });
        });
        const QString answer = ask(ui);
        order << "returned";
        QCoreApplication::sendPostedEvents();
        EXPECT_TRUE(watchdog.isActive()) << "the window stayed open";
        EXPECT_EQ(answer, cancelled);
        EXPECT_EQ(order, QStringList({"end", "returned", "shut down"}));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

        // Asked again while the program ends: answered at once, without a window (that would wait in an
        // event loop, until the watchdog closed it).
        QTimer::singleShot(0, [&] { order << "a window waited"; });
        EXPECT_EQ(ask(ui), cancelled);
        EXPECT_EQ(order.size(), 3);
        QCoreApplication::processEvents();
    }
}

} // namespace
} // namespace hibimo
