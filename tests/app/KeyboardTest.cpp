// The main window's keys and wheel, each checked against the button or double-click it stands for.
#include "tests/TestSupport.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

using Input = std::function<void(HbmFrm&)>;
using Place = QWidget* (*)(HbmFrm&);

// A key pressed while the control `at` has the focus (none: the window itself).
Input key(Qt::Key k, Qt::KeyboardModifiers mods = {}, Place at = nullptr) {
    return [=](HbmFrm& f) {
        QWidget* w = at ? at(f) : &f;
        if (at)
            w->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(w, k, mods);
    };
}
// Where a key may be pressed besides the window itself.
const Place button = [](HbmFrm& f) -> QWidget* { return f.Command2[0]; };
const Place nextMonthsDay = [](HbmFrm& f) -> QWidget* { return f.Text3[36]; };

// 1 May 2024 is a Wednesday: day d stands in cell d + 2; 31 May in cell 33.
TEST(MainWindowKeys, ArrowsWalkTheDaysOfTheShownMonth) {
    const auto left = key(Qt::Key_Left), right = key(Qt::Key_Right), up = key(Qt::Key_Up),
               down = key(Qt::Key_Down);
    const struct {
        const char* name;
        QDate today;
        std::vector<Input> keys;
        int cell; // whose public line has the focus
    } rows[] = {
        {"the first arrow lands on today", {2024, 5, 15}, {down}, 17},
        {"then right and down", {2024, 5, 15}, {left, right, down}, 25},
        {"up a week", {2024, 5, 15}, {up, up}, 10},
        {"no further than the 31st", {2024, 5, 30}, {up, down, down}, 32},
        {"onto the 31st", {2024, 5, 24}, {down, down}, 33},
        {"no further back than the 1st", {2024, 5, 2}, {left, left, left}, 3},
        {"another month starts on its 1st", {2024, 5, 15}, {key(Qt::Key_PageDown), right}, 6},
        {"from a focused button", {2024, 5, 15}, {key(Qt::Key_Down, {}, button)}, 17},
        {"from a day of the next month", {2024, 5, 15}, {key(Qt::Key_Left, {}, nextMonthsDay)}, 33},
    };
    for (const auto& row : rows) {
        Calendar w(row.today);
        for (const auto& k : row.keys)
            k(w.f());
        EXPECT_EQ(w.f().focusWidget(), w.f().Text2[row.cell]) << row.name;
    }
}

} // namespace
} // namespace hibimo::test
