#pragma once

// A main window over small lists, showing May 2024 (1 May is a Wednesday: day d stands in cell d + 2),
// with the helpers that fill its boxes as the display does or as the user does.
#include "calendar/YearLoading.h"
#include "dialogs/MonthMemo.h"
#include "tests/TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test::editing {

enum class Box { DayNumber, Public, Private, Mark };

struct Calendar : Fixture {
    std::unique_ptr<HbmFrm> frm;

    explicit Calendar(QDate today = QDate(2024, 5, 15)) : Fixture(today) {
        writeList("HBHolyD.dat", crlf({"**01/01元旦", "**05/03憲法記念日", "*05/10記念日"}));
        writeList("HBBirth.dat", "*1972/05/20花子誕生日");
        frm = startMainWindow(*this);
        EXPECT_FALSE(ui.calls.contains("modal:HbmInput")) << "the display's own writes are no input";
        ui.messages.clear();
        ui.calls.clear();
    }
    HbmFrm& f() { return *frm; }
    static int cellOf(int day) { return day + 2; }
    CellBox* box(Box b, int i) {
        return std::array{f().Text1[i], f().Text2[i], f().Text3[i], f().Text5[i]}[int(b)];
    }
    void doubleClick(Box b, int i) {
        QTest::mouseDClick(box(b, i), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    }
    // The tables of 2024 as a fresh start would read them from the file.
    std::unique_ptr<Fixture> reread() const {
        auto reader = std::make_unique<Fixture>();
        reader->m().folder = dir.path();
        YearLoad(reader->m(), "2024");
        return reader;
    }
    // Sets a box's text as the display does, so that no change handler takes it for input.
    template <class B> void showIn(B& box, const QString& text) {
        const bool done = m().DispDone;
        m().DispDone = false;
        box.setText(text);
        m().DispDone = done;
    }
    // Pastes text at the end of the month memo, as the user does after clicking it.
    void pasteMemo(const QString& text) {
        frm->Text4->setLocked(false);
        frm->Text4->moveCursor(QTextCursor::End);
        frm->Text4->insertPlainText(text);
    }
};

} // namespace hibimo::test::editing
