#pragma once

#include <QObject>
#include <QString>

namespace hibimo {

class HbmFrm;

// The month memo box: editable from a click, growing, the length limit and the write-back.
class MonthMemo {
  public:
    explicit MonthMemo(HbmFrm& frm) : frm_(frm) {}
    // Connects the main window's controls to the handlers.
    void connectSignals();

    void Text4_Click();
    void Text4_GotFocus();
    void Text4_LostFocus();
    void Text4_Change();

    static constexpr int RestHeight = 3270;
    static constexpr int GrownHeight = 4500;
    static constexpr int MaxChars = 1200;

  private:
    // Puts a corrected text into the box, keeping the cursor where it was as far as possible; the
    // box's change event then runs again with the corrected text.
    void replaceText(const QString& widgetText, int cursor);

    HbmFrm& frm_;
    // The connections end with this object (the box reports losing the focus while the window is
    // being destroyed).
    QObject context_;
};

} // namespace hibimo
