#include "app/Keyboard.h"

#include "app/DayCellEditing.h"
#include "app/HbmFrm.h"
#include "dialogs/HbmModule.h"
#include "toolkit/Twips.h"

#include <QDate>
#include <QKeyEvent>
#include <QPushButton>
#include <QWheelEvent>
#include <algorithm>

namespace hibimo {

namespace {

// One notch of an ordinary mouse wheel, in eighths of a degree.
constexpr int Notch = 120;

bool isArrow(const QKeyEvent& key) {
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
           (key.key() == Qt::Key_Left || key.key() == Qt::Key_Right || key.key() == Qt::Key_Up ||
            key.key() == Qt::Key_Down);
}

// The grid as its frame lines enclose it.
QRect gridRect() {
    return twipRect(1638, 243, 8400, 6725);
}

} // namespace

Keyboard::Keyboard(HbmFrm& frm) : QObject(&frm), frm_(frm) {
    frm_.installEventFilter(this);
    // A focused push button takes the arrows to move the focus among the buttons; here they walk the days.
    for (QPushButton* button : {frm_.Command1[0], frm_.Command1[1], frm_.Command2[0], frm_.Command2[1]})
        button->installEventFilter(this);
}

bool Keyboard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &frm_) {
        if (event->type() != QEvent::KeyPress || !isArrow(*static_cast<QKeyEvent*>(event)))
            return false;
    }
    bool used = false;
    if (event->type() == QEvent::KeyPress)
        used = keyPress(*static_cast<QKeyEvent*>(event));
    else if (event->type() == QEvent::Wheel)
        used = wheel(*static_cast<QWheelEvent*>(event));
    if (used)
        event->accept();
    return used;
}

bool Keyboard::keyPress(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods == Qt::ControlModifier;
    if (mods != Qt::NoModifier && !ctrl)
        return false;
    switch (key.key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int index = key.key() == Qt::Key_PageUp ? 0 : 1;
        if (ctrl)
            frm_.Command2_Click(index);
        else
            frm_.Command1_Click(index);
        return true;
    }
    default:
        break;
    }
    if (ctrl)
        return false;
    switch (key.key()) {
    case Qt::Key_Left:
        moveFocus(-1);
        return true;
    case Qt::Key_Right:
        moveFocus(1);
        return true;
    case Qt::Key_Up:
        moveFocus(-7);
        return true;
    case Qt::Key_Down:
        moveFocus(7);
        return true;
    default:
        break;
    }
    const int cell = focusedCell();
    DayCellEditing& edit = frm_.dayCells();
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (cell < 0)
            return false;
        if (frm_.focusWidget() == frm_.Text3[cell])
            edit.Text3_DblClick(cell);
        else if (frm_.focusWidget() == frm_.Text2[cell])
            edit.Text2_DblClick(cell);
        else
            edit.Text5_DblClick(cell);
        return true;
    case Qt::Key_F2:
        if (cell < 0)
            return false;
        edit.Text5_DblClick(cell);
        return true;
    default:
        return false;
    }
}

bool Keyboard::wheel(const QWheelEvent& wheel) {
    if (!gridRect().contains(wheel.position().toPoint()))
        return false;
    wheelRest_ += wheel.angleDelta().y();
    // Turning the wheel away from the user goes back in time, as scrolling up a list does.
    while (wheelRest_ >= Notch) {
        wheelRest_ -= Notch;
        frm_.Command1_Click(0);
    }
    while (wheelRest_ <= -Notch) {
        wheelRest_ += Notch;
        frm_.Command1_Click(1);
    }
    return true;
}

std::pair<int, int> Keyboard::shownMonthCells() const {
    const QDate first(frm_.m.CurYear, frm_.m.CurMonth, 1);
    const int firstCell = first.dayOfWeek() % 7; // Sunday first
    return {firstCell, firstCell + first.daysInMonth() - 1};
}

int Keyboard::focusedCell() const {
    const QWidget* focused = frm_.focusWidget();
    if (!focused)
        return -1;
    for (int i = 0; i < 42; ++i)
        if (focused == frm_.Text1[i] || focused == frm_.Text2[i] || focused == frm_.Text3[i] ||
            focused == frm_.Text5[i])
            return i;
    return -1;
}

void Keyboard::moveFocus(int days) {
    const auto [firstCell, lastCell] = shownMonthCells();
    int cell = focusedCell();
    if (cell < 0) {
        // The walk starts on today when today is shown, else on the 1st.
        const HbmModule& m = frm_.m;
        const QDate today = m.today();
        const bool todayShown = today.year() == m.CurYear && today.month() == m.CurMonth;
        cell = firstCell + (todayShown ? today.day() - 1 : 0);
    } else if (cell >= firstCell && cell <= lastCell) {
        // The walk stops at the month's first and last day.
        if (cell + days >= firstCell && cell + days <= lastCell)
            cell += days;
    } else {
        cell += days;
    }
    cell = std::clamp(cell, firstCell, lastCell);
    frm_.Text2[cell]->setFocus(Qt::TabFocusReason);
}

} // namespace hibimo
