// Which focus changes end the editing of a box: only a move to another control of the window.
#include "toolkit/Controls.h"

#include <QFocusEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

TEST(LostFocus, OnlyAMoveToAnotherControlOfTheWindowEndsEditing) {
    const struct {
        const char* name;
        Qt::FocusReason reason;
        bool lost;
    } rows[] = {
        {"click on another control", Qt::MouseFocusReason, true},
        {"tab", Qt::TabFocusReason, true},
        {"back tab", Qt::BacktabFocusReason, true},
        {"shortcut", Qt::ShortcutFocusReason, true},
        {"the program moves it", Qt::OtherFocusReason, true},
        {"popup menu (right-click, Paste)", Qt::PopupFocusReason, false},
        {"a message box or another application", Qt::ActiveWindowFocusReason, false},
    };
    QWidget window;
    CellBox cell(&window);
    MemoBox memo(&window);
    QSignalSpy cellLost(&cell, &CellBox::LostFocus), memoLost(&memo, &MemoBox::LostFocus);
    for (const auto& row : rows) {
        QFocusEvent out(QEvent::FocusOut, row.reason);
        QCoreApplication::sendEvent(&cell, &out);
        QCoreApplication::sendEvent(&memo, &out);
        EXPECT_EQ(cellLost.size(), row.lost ? 1 : 0) << row.name;
        EXPECT_EQ(memoLost.size(), row.lost ? 1 : 0) << row.name;
        cellLost.clear();
        memoLost.clear();
    }
}

} // namespace
} // namespace hibimo
