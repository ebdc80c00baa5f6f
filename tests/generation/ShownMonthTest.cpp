// The owner of the shown month: what a move saves, loads and makes, and what it says it did.
#include "generation/ShownMonth.h"

#include "calendar/YearFile.h"
#include "tests/CoreSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

TEST(ShownMonth, AMoveSavesLoadsAndMakesWhatItNamesAndNothingElse) {
    // Name, the month asked for from November 2024 (whose year has a file), whether it moved, the years
    // saved, created and created for the edge cells, the month then shown.
    const std::tuple<const char*, int, int, bool, QString, QString, QString, int, int> rows[] = {
        {"within the year", 2024, 10, true, "", "", "", 2024, 10},
        {"December makes the next year for its edge", 2024, 12, true, "", "", "2025", 2024, 12},
        {"month 13 rolls into January", 2024, 13, true, "2024", "2025", "", 2025, 1},
        {"a year back into a January", 2023, 1, true, "2024", "2023", "2022", 2023, 1},
        {"up to year 9999", 9999, 1, true, "2024", "9999", "9998", 9999, 1},
        {"no year 10000", 10000, 1, false, "", "", "", 2024, 11},
        {"no year 0", 0, 12, false, "", "", "", 2024, 11},
    };
    for (const auto& [name, year, month, moved, saved, created, neighbour, shownYear, shownMonth] : rows) {
        SCOPED_TRACE(name);
        Fixture f;
        f.writeLists();
        HbmModule& m = f.m();
        m.shown.startAt(2024, 11);
        m.shown.reload();
        m.PubLine[10][0] = "会議";
        const MonthMove move = m.shown.moveTo(year, month);
        EXPECT_EQ(
            std::tuple(move.moved, move.savedYear, move.createdYear, move.createdNeighbour, m.CurYear,
                       m.CurMonth, m.LoadedYear),
            std::tuple(moved, saved, created, neighbour, shownYear, shownMonth, QString::number(shownYear)));
        EXPECT_EQ(f.reread()->PubLine[10][0], saved.isEmpty() ? "" : "会議");
        for (const QString& made : {created, neighbour})
            EXPECT_TRUE(made.isEmpty() || QFile::exists(f.path("HB" + made + ".hbd"))) << made.toStdString();
    }
}

} // namespace
} // namespace hibimo::test
