#pragma once

// A main window over small lists, showing May 2024 (1 May is a Wednesday: day d stands in cell d + 2),
// and the scripted answers of the memo dialog.
#include "calendar/Records.h"
#include "calendar/YearFile.h"
#include "calendar/YearLoading.h"
#include "dialogs/DayCellEditing.h"
#include "dialogs/HbmInput.h"
#include "dialogs/MonthMemo.h"
#include "tests/TestSupport.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace hibimo::test::editing {

struct Calendar : Fixture {
    std::unique_ptr<HbmFrm> frm;

    explicit Calendar(QDate today = QDate(2024, 5, 15)) : Fixture(today) {
        writeList(QStringLiteral("HBHolyD.dat"),
                  crlf({QStringLiteral("**01/01元旦"), QStringLiteral("**05/03憲法記念日"),
                        QStringLiteral("*05/10記念日")}));
        writeList(QStringLiteral("HBBirth.dat"), QStringLiteral("*1972/05/20花子誕生日"));
        frm = startMainWindow(*this);
        ui.messages.clear();
        ui.calls.clear();
    }
    HbmFrm& f() { return *frm; }
    DayCellEditing& cells() { return frm->dayCells(); }
    MonthMemo& memo() { return frm->monthMemo(); }

    // The cell of day d of the shown month.
    int cellOf(int day) const {
        const QDate first(frm->Label3->caption().toInt(), frm->Label2->caption().toInt(), 1);
        return first.dayOfWeek() % 7 + day - 1;
    }

    // The year file as text (empty when missing).
    QString yearFile(const QString& year = QStringLiteral("2024")) const {
        return readTextFile(path(QStringLiteral("HB") + year + QStringLiteral(".hbd"))).value_or(QString());
    }
    // The tables of a year as a fresh start would read them from the file.
    std::unique_ptr<Fixture> reread(const QString& year = QStringLiteral("2024")) const {
        auto reader = std::make_unique<Fixture>();
        reader->m().folder = dir.path();
        YearLoad(reader->m(), year);
        return reader;
    }

    // Sets a box's text as the display does, so that no change handler takes it for input.
    void showInBox(CellBox& box, const QString& text) {
        const bool done = m().DispDone;
        m().DispDone = false;
        box.setText(text);
        m().DispDone = done;
    }

    // Pastes text into the month memo at its cursor, as the user does after clicking it.
    void pasteMemo(const QString& text) {
        frm->Text4->setLocked(false);
        frm->Text4->insertPlainText(text);
    }
};

using DialogAction = std::function<void(HbmInput&)>;

// Queues what the user does in the next memo dialog.
inline void whenDialogOpens(ScriptedInteraction& ui, DialogAction action) {
    ui.modalActions.push_back([action](QWidget& w) {
        auto* dialog = qobject_cast<HbmInput*>(&w);
        ASSERT_NE(dialog, nullptr) << "the memo dialog was expected";
        action(*dialog);
    });
}

inline DialogAction typeAndConfirm(const QString& text) {
    return [text](HbmInput& d) {
        d.Text1->setText(text);
        QTest::mouseClick(d.Command1[0], Qt::LeftButton);
    };
}

inline DialogAction typeAndCloseBox(const QString& text) {
    return [text](HbmInput& d) {
        d.Text1->setText(text);
        d.close();
    };
}

} // namespace hibimo::test::editing
