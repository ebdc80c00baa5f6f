#include "dialogs/HbmInput.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace hibimo::test {
namespace {

using Input = std::function<void(HbmFrm&)>;

Input key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return [=](HbmFrm& f) { QTest::keyClick(&f, k, mods); };
}
// A key pressed while `at` has the focus: what that control does not use reaches the window.
Input keyOn(std::function<QWidget*(HbmFrm&)> at, Qt::Key k, Qt::KeyboardModifiers mods = {}) {
    return [=](HbmFrm& f) {
        QWidget* w = at(f);
        w->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(w, k, mods);
    };
}
// The wheel turned by `delta` eighths of a degree (120 a notch, positive away from the user) with the
// pointer over `at` (the window's coordinates).
Input wheel(int delta, std::function<QPoint(HbmFrm&)> at) {
    return [=](HbmFrm& f) {
        const QPointF pos = at(f);
        QWheelEvent e(pos, f.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&f, &e);
    };
}
Input both(Input a, Input b) {
    return [=](HbmFrm& f) {
        a(f);
        b(f);
    };
}
QPoint overGrid(HbmFrm& f) {
    return f.Text3[17]->geometry().center();
}
QPoint overMemo(HbmFrm& f) {
    return f.Text4->geometry().center();
}

enum Step { MonthBack, MonthOn, YearBack, YearOn };

// What a step leaves: what is shown, the messages, and every file with its bytes.
struct Outcome {
    QStringList shown;
    QStringList messages;
    std::map<QString, QByteArray> files;
};
Outcome outcomeOf(Calendar& w) {
    Outcome o;
    o.shown << w.f().Label3->caption() << w.f().Label2->caption() << w.f().Label5->caption()
            << w.dayNumbers().join(' ') << w.f().Text2[20]->text() << w.f().Text4->text();
    o.messages = w.ui.messageTexts();
    for (const QString& name : QDir(w.dir.path()).entryList(QDir::Files))
        o.files[name] = w.bytes(name);
    return o;
}

TEST(MainWindowKeys, KeysAndWheelStepAsTheButtonsDo) {
    const struct {
        const char* name;
        QDate today;
        Input input;
        std::vector<Step> buttons; // the same as pressing these
    } rows[] = {
        {"Page Down: next month", {2024, 5, 15}, key(Qt::Key_PageDown), {MonthOn}},
        {"Page Up: previous month", {2024, 5, 15}, key(Qt::Key_PageUp), {MonthBack}},
        {"Page Down in December: next year saved and loaded",
         {2024, 12, 15},
         key(Qt::Key_PageDown),
         {MonthOn}},
        {"Page Up in January: previous year", {2024, 1, 15}, key(Qt::Key_PageUp), {MonthBack}},
        {"Ctrl+Page Down: next year, made with its message",
         {2024, 5, 15},
         key(Qt::Key_PageDown, Qt::ControlModifier),
         {YearOn}},
        {"Ctrl+Page Up: previous year", {2024, 5, 15}, key(Qt::Key_PageUp, Qt::ControlModifier), {YearBack}},
        {"keypad Page Down", {2024, 5, 15}, key(Qt::Key_PageDown, Qt::KeypadModifier), {MonthOn}},
        {"Page Down with a day box focused",
         {2024, 5, 15},
         keyOn([](HbmFrm& f) { return f.Text2[10]; }, Qt::Key_PageDown),
         {MonthOn}},
        {"Ctrl+Page Up with a button focused",
         {2024, 5, 15},
         keyOn([](HbmFrm& f) { return f.Command1[1]; }, Qt::Key_PageUp, Qt::ControlModifier),
         {YearBack}},
        {"Page Down in the month memo is the memo's",
         {2024, 5, 15},
         keyOn([](HbmFrm& f) { return f.Text4; }, Qt::Key_PageDown),
         {}},
        {"Shift+Page Down is no step", {2024, 5, 15}, key(Qt::Key_PageDown, Qt::ShiftModifier), {}},
        {"wheel towards the user: next month", {2024, 5, 15}, wheel(-120, overGrid), {MonthOn}},
        {"wheel away: previous month", {2024, 5, 15}, wheel(120, overGrid), {MonthBack}},
        {"two notches at once: two months", {2024, 12, 15}, wheel(-240, overGrid), {MonthOn, MonthOn}},
        {"half notches add up", {2024, 5, 15}, both(wheel(60, overGrid), wheel(60, overGrid)), {MonthBack}},
        {"a half notch is no step", {2024, 5, 15}, wheel(-60, overGrid), {}},
        {"wheel over the memo is no step", {2024, 5, 15}, wheel(-120, overMemo), {}},
    };
    for (const auto& row : rows) {
        Calendar byKey(row.today);
        byKey.m().PubLine[4][17] = "未保存"; // 18 May, in memory only: a year change must save it
        Calendar byButton(row.today);
        byButton.m().PubLine[4][17] = "未保存";
        const QString before = byKey.f().Label3->caption() + "/" + byKey.f().Label2->caption();
        row.input(byKey.f());
        for (Step s : row.buttons) {
            if (s == MonthBack || s == MonthOn)
                byButton.f().Command1_Click(s == MonthOn ? 1 : 0);
            else
                byButton.f().Command2_Click(s == YearOn ? 1 : 0);
        }
        const Outcome k = outcomeOf(byKey), b = outcomeOf(byButton);
        EXPECT_EQ(k.shown, b.shown) << row.name;
        EXPECT_EQ(k.messages, b.messages) << row.name;
        EXPECT_EQ(k.files, b.files) << row.name;
        EXPECT_EQ(k.shown[0] + "/" + k.shown[1] != before, !row.buttons.empty()) << row.name << ": a step";
    }
}

// The walk of the focus through the days: 1 May 2024 is a Wednesday (cell 3), 31 May cell 33.
TEST(MainWindowKeys, ArrowsWalkTheDaysOfTheShownMonth) {
    const struct {
        const char* name;
        QDate today;
        std::vector<Input> keys;
        int cell; // of the public line that has the focus
    } rows[] = {
        {"the first arrow lands on today", {2024, 5, 15}, {key(Qt::Key_Down)}, 17},
        {"lands on today, then right and down",
         {2024, 5, 15},
         {key(Qt::Key_Left), key(Qt::Key_Right), key(Qt::Key_Down)},
         25},
        {"up a week", {2024, 5, 15}, {key(Qt::Key_Up), key(Qt::Key_Up)}, 10},
        {"no further than the 31st",
         {2024, 5, 30},
         {key(Qt::Key_Up), key(Qt::Key_Down), key(Qt::Key_Down)},
         32},
        {"no further back than the 1st",
         {2024, 5, 2},
         {key(Qt::Key_Left), key(Qt::Key_Left), key(Qt::Key_Left)},
         3},
        {"another month starts on its 1st", {2024, 5, 15}, {key(Qt::Key_PageDown), key(Qt::Key_Right)}, 6},
        {"from a focused button",
         {2024, 5, 15},
         {keyOn([](HbmFrm& f) { return f.Command2[0]; }, Qt::Key_Down)},
         17},
        {"from a clicked day of the next month into this one",
         {2024, 5, 15},
         {keyOn([](HbmFrm& f) { return f.Text3[36]; }, Qt::Key_Left)},
         33},
    };
    for (const auto& row : rows) {
        Calendar w(row.today);
        for (const auto& k : row.keys)
            k(w.f());
        EXPECT_EQ(w.f().focusWidget(), w.f().Text2[row.cell]) << row.name;
    }
}

TEST(MainWindowKeys, EnterAndF2OpenTheEditsOfTheDoubleClick) {
    const struct {
        const char* name;
        Input keys;
        Box doubleClicked;
        int cell;
    } rows[] = {
        {"Enter on a day reached by the arrows: its public line",
         both(key(Qt::Key_Right), key(Qt::Key_Return)), Box::Public, 17},
        {"keypad Enter", both(key(Qt::Key_Right), key(Qt::Key_Enter, Qt::KeypadModifier)), Box::Public, 17},
        {"F2: the mark", both(key(Qt::Key_Right), key(Qt::Key_F2)), Box::Mark, 17},
        {"Enter on a clicked private line: that line",
         keyOn([](HbmFrm& f) { return f.Text3[20]; }, Qt::Key_Return), Box::Private, 20},
        {"Enter on a day of another month: the refusal",
         keyOn([](HbmFrm& f) { return f.Text2[1]; }, Qt::Key_Return), Box::Public, 1},
    };
    auto typeAndConfirm = [](QWidget& w) {
        auto& d = static_cast<HbmInput&>(w);
        d.Text1->setText("会議");
        QTest::mouseClick(d.Command1[0], Qt::LeftButton);
    };
    for (const auto& row : rows) {
        Calendar byKey, byClick;
        byKey.ui.modalActions.push_back(typeAndConfirm);
        byClick.ui.modalActions.push_back(typeAndConfirm);
        row.keys(byKey.f());
        byClick.doubleClick(row.doubleClicked, row.cell);
        EXPECT_EQ(byKey.ui.calls, byClick.ui.calls) << row.name;
        EXPECT_EQ(byKey.m().MemoTitle, byClick.m().MemoTitle) << row.name;
        const Outcome k = outcomeOf(byKey), c = outcomeOf(byClick);
        EXPECT_EQ(k.messages, c.messages) << row.name;
        EXPECT_EQ(k.files, c.files) << row.name;
        EXPECT_EQ(byKey.box(row.doubleClicked, row.cell)->text(),
                  byClick.box(row.doubleClicked, row.cell)->text())
            << row.name;
    }
}

} // namespace
} // namespace hibimo::test
