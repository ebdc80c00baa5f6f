#pragma once

#include <QObject>
#include <utility>

class QKeyEvent;
class QWheelEvent;

namespace hibimo {

class HbmFrm;

// The main window's keyboard and mouse wheel. Page Up / Page Down step a month and Ctrl with them a
// year, through the very handlers of the -1/+1 buttons; the wheel over the grid steps a month per
// notch. The arrow keys walk a focus through the days of the shown month; Enter then opens the edit a
// double-click on the focused box opens (the public line, where the arrows put the focus) and F2 the
// day's mark. Keys a control uses itself (the month memo's) never get here.
class Keyboard : public QObject {
  public:
    // Owned by the window.
    explicit Keyboard(HbmFrm& frm);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool keyPress(const QKeyEvent& key);
    bool wheel(const QWheelEvent& wheel);
    void moveFocus(int days);
    // The cell whose box has the focus, or -1.
    int focusedCell() const;
    // The cells of the first and the last day of the shown month.
    std::pair<int, int> shownMonthCells() const;

    HbmFrm& frm_;
    // The part of a notch a fine-grained wheel has turned so far.
    int wheelRest_ = 0;
};

} // namespace hibimo
