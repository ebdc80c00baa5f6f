#pragma once

// The one header of the window tests: the main window, the fixtures, the colours a box shows, the colour
// scheme as stored, files, and both test frameworks.
#include "app/HbmFrm.h"
#include "calendar/Records.h"
#include "colours/ColourScheme.h"
#include "tests/CoreSupport.h"
#include "toolkit/Colours.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace hibimo::test {

enum class Box { DayNumber, Public, Private, Mark };

// The main window over the small lists (or none), started as the program does: Form_Load, show, the
// first Form_Activate (year loading and the first display). The start's messages are kept apart in startUp.
// On the default today, 15 May 2024, 1 May is a Wednesday: day d stands in cell d + 2.
struct Calendar : Fixture {
    std::unique_ptr<HbmFrm> frm;
    QStringList startUp; // the start's messages, each as "title: text"

    // onStartMessage sees each message of the start as it is shown.
    explicit Calendar(QDate today = QDate(2024, 5, 15), bool withLists = true,
                      std::function<void(Calendar&)> onStartMessage = {});
    HbmFrm& f() { return *frm; }
    static int cellOf(int day) { return day + 2; }
    // What the window shows of the month: the captions, then each box's text and colours; only the
    // captions while the grid is not shown.
    QStringList shownMonth() const;
    CellBox* box(Box b, int cell) const;
    void doubleClick(Box b, int cell) const {
        QTest::mouseDClick(box(b, cell), Qt::LeftButton, {}, QPoint(4, 4));
    }
    // Sets a box's text as the display does, so that no change handler takes it for input.
    template <class B> void showIn(B& box, const QString& text) {
        const bool done = std::exchange(m().DispDone, false);
        box.setText(text);
        m().DispDone = done;
    }
    // Pastes text at the end of the month memo, as the user does after clicking it.
    void pasteMemo(const QString& text);
};

// A window made active, as the window manager does; keys with a mnemonic act only there.
inline void activate(QWidget& w) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

// The whole scheme as a colour file stores it: the numbers of lines 4 to 10, from a copy saved aside.
inline std::vector<qint64> values(HbmModule& m) {
    const QTemporaryDir aside;
    const QString colourFile =
        std::exchange(m.colours.ColorFile, aside.filePath(QStringLiteral("aside.ccf")));
    ColorSave(m, m.colours);
    const QString text = decodeCp932(readFileBytes(m.colours.ColorFile).value_or("")).value_or("");
    m.colours.ColorFile = colourFile;
    std::vector<qint64> numbers;
    for (const QString& line : text.split(QStringLiteral("\r\n")).mid(3, 7))
        for (const QString& n : line.split(QLatin1Char(',')))
            numbers.push_back(n.toLongLong());
    return numbers;
}

} // namespace hibimo::test
