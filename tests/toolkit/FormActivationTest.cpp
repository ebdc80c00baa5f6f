// When a window's Form_Activate runs: the year is reloaded from its file there, so running it too often
// throws away what is only in memory, and too seldom shows a stale month.
#include "toolkit/Form.h"

#include <QCoreApplication>
#include <QEvent>
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

void windowActivate(Form& form) {
    QEvent event(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&form, &event);
}

void showFirst(Counted& form) {
    form.show();
    form.activateIfPending();
}

TEST(FormActivation, RunsForTheProgramsOwnWindowsOnly) {
    const struct {
        const char* name;
        std::function<void(Counted& main, Counted& other)> steps;
        int main, other; // activations after the main window's first one
    } rows[] = {
        {"the first show only", [](Counted&, Counted&) {}, 0, 0},
        {"the window manager's first activation after the show counts once",
         [](Counted& main, Counted&) { windowActivate(main); }, 0, 0},
        {"back from another application (or a message box)",
         [](Counted& main, Counted&) {
             windowActivate(main);
             windowActivate(main);
         },
         0, 0},
        {"back from another window of the program",
         [](Counted& main, Counted& other) {
             showFirst(other);
             windowActivate(main);
         },
         1, 1},
        {"a modeless window closes: its opener",
         [](Counted& main, Counted& other) {
             other.showModeless(&main);
             other.activateIfPending();
             other.close();
         },
         1, 1},
        {"a window without an opener closes: the main window",
         [](Counted&, Counted& other) {
             showFirst(other);
             other.close();
         },
         1, 1},
        {"a close the window refuses: nothing",
         [](Counted&, Counted& other) {
             showFirst(other);
             other.refuseClose = true;
             other.close();
             other.refuseClose = false;
         },
         0, 1},
        {"shown again after it closed: a first activation again",
         [](Counted&, Counted& other) {
             showFirst(other);
             other.close();
             showFirst(other);
         },
         1, 2},
        {"the opener closed before: nothing",
         [](Counted& main, Counted& other) {
             other.showModeless(&main);
             other.activateIfPending();
             main.close();
             other.close();
         },
         0, 1},
    };
    for (const auto& row : rows) {
        Counted main, other;
        Form::setMainForm(&main);
        showFirst(main);
        ASSERT_EQ(main.activations, 1) << row.name;
        row.steps(main, other);
        EXPECT_EQ(main.activations - 1, row.main) << row.name;
        EXPECT_EQ(other.activations, row.other) << row.name;
    }
    Form::setMainForm(nullptr);
}

} // namespace
} // namespace hibimo
