// Window events as the program's handlers see them.
#include "toolkit/Controls.h"
#include "toolkit/Form.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

struct Counted : Form {
    int activations = 0;
    bool refuseClose = false;
    void Form_Activate() override { ++activations; }
    void Form_Unload(int& Cancel) override { Cancel = refuseClose ? 1 : 0; }
};

void showFirst(Counted& form) {
    form.show();
    form.activateIfPending();
}

// One letter a step: a the window manager activates the main window, s the other window is shown,
// m it is shown modeless from the main window, r it refuses its next close, c it closes, M the main
// window closes.
void play(const char* steps, Counted& main, Counted& other) {
    QEvent activate(QEvent::WindowActivate);
    for (const char* s = steps; *s; ++s) {
        if (*s == 'a')
            QCoreApplication::sendEvent(&main, &activate);
        else if (*s == 's')
            showFirst(other);
        else if (*s == 'm')
            other.showModeless(&main), other.activateIfPending();
        else if (*s == 'r')
            other.refuseClose = true;
        else if (*s == 'c')
            other.close(), other.refuseClose = false;
        else if (*s == 'M')
            main.close();
    }
}

// When a window's Form_Activate runs: the year is reloaded from its file there, so running it too often
// throws away what is only in memory, and too seldom shows a stale month.
TEST(FormActivation, RunsForTheProgramsOwnWindowsOnly) {
    const struct {
        const char* name;
        const char* steps;
        int main, other; // activations after the main window's first one
    } rows[] = {
        {"the first show only", "", 0, 0},
        {"the window manager's first activation after the show counts once", "a", 0, 0},
        {"back from another application (or a message box)", "aa", 0, 0},
        {"back from another window of the program", "sa", 1, 1},
        {"a modeless window closes: its opener", "mc", 1, 1},
        {"a window without an opener closes: the main window", "sc", 1, 1},
        {"a close the window refuses: nothing", "src", 0, 1},
        {"shown again after it closed: a first activation again", "scs", 1, 2},
        {"the opener closed before: nothing", "mMc", 0, 1},
    };
    for (const auto& row : rows) {
        Counted main, other;
        Form::setMainForm(&main);
        showFirst(main);
        ASSERT_EQ(main.activations, 1) << row.name;
        play(row.steps, main, other);
        EXPECT_EQ(main.activations - 1, row.main) << row.name;
        EXPECT_EQ(other.activations, row.other) << row.name;
    }
    Form::setMainForm(nullptr);
}

} // namespace
} // namespace hibimo
