// When the editing of a grown box or of the month memo ends: a popup menu, another window or a
// message box leave it going, a month or year step ends it as a move to another control does.
#include "app/MonthMemo.h"
#include "tests/TestSupport.h"
#include "toolkit/Twips.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

const QString Long = QString(130, QChar(0x3042)); // grows every box

// The box a row works on, clicked as the user does (it grows, the memo becomes editable).
enum class Target { Memo, Public, Private, Mark };

QWidget* clickTarget(Calendar& c, Target t, int cell) {
    HbmFrm& f = c.f();
    if (t == Target::Memo) {
        c.showIn(*f.Text4, Long);
        QTest::mouseClick(f.Text4->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        return f.Text4;
    }
    CellBox* box = c.box(Box(int(t)), cell);
    c.showIn(*box, Long);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    return box;
}

int restTwips(Target t) {
    return std::array{MonthMemo::RestHeight, 285, 435, 210}[int(t)];
}

void activate(QWidget& w) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

TEST(EditingGoesOn, APopupMenuOrAnotherWindowDoesNotEndIt) {
    enum class Away { PopupMenu, AnotherWindow };
    const struct {
        const char* name;
        Target target;
        Away away;
    } rows[] = {
        {"memo, right-click menu", Target::Memo, Away::PopupMenu},
        {"memo, another window (a message box, another application)", Target::Memo, Away::AnotherWindow},
        {"long public line, right-click menu", Target::Public, Away::PopupMenu},
        {"long public line, another window", Target::Public, Away::AnotherWindow},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Calendar c;
        HbmFrm& f = c.f();
        activate(f);
        QWidget* box = clickTarget(c, row.target, c.cellOf(8));
        const int grown = box->height();
        ASSERT_GT(grown, twipsToPx(restTwips(row.target)));
        if (row.away == Away::PopupMenu) {
            QMenu menu;
            menu.addAction(QStringLiteral("貼り付け"));
            menu.popup(box->mapToGlobal(QPoint(5, 5)));
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
            menu.close();
        } else {
            QWidget other;
            other.show();
            activate(other);
            activate(f);
        }
        EXPECT_EQ(box->height(), grown);
        if (row.target == Target::Memo) {
            EXPECT_FALSE(f.Text4->isReadOnly());
            f.Text4->moveCursor(QTextCursor::End);
            QTest::keyClick(f.Text4, Qt::Key_A);
            EXPECT_EQ(c.m().DayItem[4][0][0], "05000" + Long + "a");
        }
        // A move to another control still ends it.
        QTest::mouseClick(f.Text2[c.cellOf(20)], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        EXPECT_EQ(box->height(), twipsToPx(restTwips(row.target)));
        EXPECT_TRUE(f.Text4->isReadOnly());
    }
}

TEST(EditingEnds, AMonthOrYearStepEndsItBeforeTheNextMonthIsShown) {
    const struct {
        const char* name;
        Target target;
        bool monthButton;
        int index;
    } rows[] = {
        {"long public line, month +1", Target::Public, true, 1},
        {"long private line, month -1", Target::Private, true, 0},
        {"long mark, year +1", Target::Mark, false, 1},
        {"memo, year -1", Target::Memo, false, 0},
        {"memo, month +1", Target::Memo, true, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Calendar c(QDate(2024, 12, 15));
        HbmFrm& f = c.f();
        activate(f);
        QWidget* box = clickTarget(c, row.target, 19);
        ASSERT_GT(box->height(), twipsToPx(restTwips(row.target)));
        QPushButton* button = (row.monthButton ? f.Command1 : f.Command2)[row.index];
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(box->height(), twipsToPx(restTwips(row.target)));
        EXPECT_TRUE(f.Text4->isReadOnly());
        EXPECT_FALSE(box->hasFocus());
        if (row.target == Target::Public) {
            EXPECT_GT(f.children().indexOf(f.Text3[19]), f.children().indexOf(f.Text2[19]));
        }
        // Clicked again in the new month, it grows again.
        clickTarget(c, row.target, 19);
        EXPECT_GT(box->height(), twipsToPx(restTwips(row.target)));
    }
}

} // namespace
} // namespace hibimo::test
