// The main window's keys and wheel, each checked against the button or double-click it stands for.
#include "dialogs/HbmInput.h"
#include "tests/TestSupport.h"

#include <QWheelEvent>
#include <functional>

namespace hibimo::test {
namespace {

using Input = std::function<void(HbmFrm&)>;
using Place = QWidget* (*)(HbmFrm&);

// A key pressed while the control `at` has the focus (none: the window itself).
Input key(Qt::Key k, Qt::KeyboardModifiers mods = {}, Place at = nullptr) {
    return [=](HbmFrm& f) {
        if (at)
            at(f)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(at ? at(f) : &f, k, mods);
    };
}
// Where a key may be pressed besides the window itself.
template <int Cell> const Place publicLine = [](HbmFrm& f) -> QWidget* { return f.Text2[Cell]; };
template <int Cell> const Place privateLine = [](HbmFrm& f) -> QWidget* { return f.Text3[Cell]; };
const Place button = [](HbmFrm& f) -> QWidget* { return f.Command2[0]; };
const Place memo = [](HbmFrm& f) -> QWidget* { return f.Text4; };
// The wheel turned by `delta` (120 a notch, positive away from the user) over the grid or the memo.
Input wheel(int delta, bool overGrid = true) {
    return [=](HbmFrm& f) {
        const QPointF at = (overGrid ? f.Text3[17] : static_cast<QWidget*>(f.Text4))->geometry().center();
        QWheelEvent e(at, f.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&f, &e);
    };
}

// What a step leaves: what is shown, the memo dialog's title, what was asked and said, and every file
// with its bytes.
QStringList outcomeOf(Calendar& w) {
    QStringList o = w.shownMonth() << w.f().Label5->caption() << w.m().memo.MemoTitle;
    for (const CellBox* day : w.f().Text1)
        o << day->text();
    o += w.ui.calls + w.ui.messageTexts();
    for (const QString& name : QDir(w.dir.path()).entryList(QDir::Files))
        o << name + ": " + QString::fromLatin1(w.bytes(name).toHex());
    return o;
}

TEST(MainWindowKeys, KeysAndWheelStepAsTheButtonsDoAndEditAsTheDoubleClick) {
    enum Step { MonthBack, MonthOn, YearBack, YearOn };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Input right = key(Qt::Key_Right);
    const QDate may(2024, 5, 15);
    const struct {
        const char* name;
        QDate today;
        std::vector<Input> input;
        std::vector<Step> buttons; // the same as pressing these
        Box doubleClicked = Box::DayNumber;
        int cell = -1; // or as double-clicking this cell's box
    } rows[] = {
        {"Page Down", may, {key(Qt::Key_PageDown)}, {MonthOn}},
        {"Page Up", may, {key(Qt::Key_PageUp)}, {MonthBack}},
        {"Page Down in December: next year", {2024, 12, 15}, {key(Qt::Key_PageDown)}, {MonthOn}},
        {"Ctrl+Page Down: a new year", may, {key(Qt::Key_PageDown, ctrl)}, {YearOn}},
        {"Page Down on a day box", may, {key(Qt::Key_PageDown, {}, publicLine<10>)}, {MonthOn}},
        {"Ctrl+Page Up on a button", may, {key(Qt::Key_PageUp, ctrl, button)}, {YearBack}},
        {"Page Down in the memo is the memo's", may, {key(Qt::Key_PageDown, {}, memo)}, {}},
        {"Shift+Page Down", may, {key(Qt::Key_PageDown, Qt::ShiftModifier)}, {}},
        {"wheel towards the user", may, {wheel(-120)}, {MonthOn}},
        {"wheel away", may, {wheel(120)}, {MonthBack}},
        {"two notches at once", {2024, 12, 15}, {wheel(-240)}, {MonthOn, MonthOn}},
        {"two notches away at once", {2024, 1, 15}, {wheel(240)}, {MonthBack, MonthBack}},
        {"a half notch", may, {wheel(-60)}, {}},
        {"wheel over the memo", may, {wheel(-120, false)}, {}},
        {"Enter: the public line", may, {right, key(Qt::Key_Return)}, {}, Box::Public, 17},
        {"F2: the mark", may, {right, key(Qt::Key_F2)}, {}, Box::Mark, 17},
        {"Enter on a private line", may, {key(Qt::Key_Return, {}, privateLine<20>)}, {}, Box::Private, 20},
        {"Enter in April: refused", may, {key(Qt::Key_Return, {}, publicLine<1>)}, {}, Box::Public, 1},
    };
    auto typeAndConfirm = [](QWidget& w) {
        auto& d = static_cast<HbmInput&>(w);
        d.Text1->setText("会議");
        QTest::mouseClick(d.Command1[0], Qt::LeftButton);
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Calendar byKey(row.today), byMouse(row.today);
        // 18 May in memory only: a change of year must save it.
        if (row.cell < 0)
            byKey.m().PubLine[4][17] = byMouse.m().PubLine[4][17] = "未保存";
        byKey.ui.modalActions = byMouse.ui.modalActions = {typeAndConfirm};
        const QString before = byKey.f().Label3->caption() + byKey.f().Label2->caption();
        for (const auto& input : row.input)
            input(byKey.f());
        for (Step s : row.buttons)
            (byMouse.f().*(s < YearBack ? &HbmFrm::Command1_Click : &HbmFrm::Command2_Click))(s % 2);
        if (row.cell >= 0)
            byMouse.doubleClick(row.doubleClicked, row.cell);
        EXPECT_EQ(outcomeOf(byKey), outcomeOf(byMouse));
        EXPECT_EQ(byKey.f().Label3->caption() + byKey.f().Label2->caption() != before, !row.buttons.empty());
    }
}

// 1 May 2024 is a Wednesday: day d stands in cell d + 2; 31 May in cell 33.
TEST(MainWindowKeys, ArrowsWalkTheDaysOfTheShownMonth) {
    const auto left = key(Qt::Key_Left), right = key(Qt::Key_Right), up = key(Qt::Key_Up),
               down = key(Qt::Key_Down);
    // Name, today, the keys, the cell whose public line has the focus.
    const std::tuple<const char*, QDate, std::vector<Input>, int> rows[] = {
        {"the first arrow lands on today", {2024, 5, 15}, {down}, 17},
        {"then right and down", {2024, 5, 15}, {left, right, down}, 25},
        {"up a week", {2024, 5, 15}, {up, up}, 10},
        {"no further than the 31st", {2024, 5, 30}, {up, down, down}, 32},
        {"onto the 31st", {2024, 5, 24}, {down, down}, 33},
        {"no further back than the 1st", {2024, 5, 2}, {left, left, left}, 3},
        {"another month starts on its 1st", {2024, 5, 15}, {key(Qt::Key_PageDown), right}, 6},
        {"from a focused button", {2024, 5, 15}, {key(Qt::Key_Down, {}, button)}, 17},
        {"from a day of the next month", {2024, 5, 15}, {key(Qt::Key_Left, {}, privateLine<36>)}, 33},
    };
    for (const auto& [name, today, keys, cell] : rows) {
        Calendar w(today);
        for (const auto& k : keys)
            k(w.f());
        EXPECT_EQ(w.f().focusWidget(), w.f().Text2[cell]) << name;
    }
}

} // namespace
} // namespace hibimo::test
