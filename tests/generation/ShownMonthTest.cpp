// The owner of the shown month: what a move saves, loads and makes, and what it says it did.
#include "generation/ShownMonth.h"

#include "calendar/YearFile.h"
#include "tests/CoreSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

TEST(ShownMonth, AMoveSavesLoadsAndMakesWhatItNamesAndNothingElse) {
    const struct {
        const char* name;
        int year, month; // from November 2024, whose year has a file
        bool moved;
        QString saved, created, neighbour;
        int shownYear, shownMonth;
    } rows[] = {
        {"within the year", 2024, 10, true, "", "", "", 2024, 10},
        {"December makes the next year for its edge", 2024, 12, true, "", "", "2025", 2024, 12},
        {"month 13 rolls into January", 2024, 13, true, "2024", "2025", "", 2025, 1},
        {"a year back into a January", 2023, 1, true, "2024", "2023", "2022", 2023, 1},
        {"up to year 9999", 9999, 1, true, "2024", "9999", "9998", 9999, 1},
        {"no year 10000", 10000, 1, false, "", "", "", 2024, 11},
        {"no year 0", 0, 12, false, "", "", "", 2024, 11},
    };
    for (const auto& row : rows) {
        Fixture f;
        f.writeLists();
        HbmModule& m = f.m();
        m.shown.startAt(2024, 11);
        m.shown.reload();
        m.PubLine[10][0] = "会議";
        const MonthMove move = m.shown.moveTo(row.year, row.month);
        EXPECT_EQ(move.moved, row.moved) << row.name;
        EXPECT_EQ(move.savedYear, row.saved) << row.name;
        EXPECT_EQ(move.createdYear, row.created) << row.name;
        EXPECT_EQ(move.createdNeighbour, row.neighbour) << row.name;
        EXPECT_EQ(QPair(m.CurYear, m.CurMonth), QPair(row.shownYear, row.shownMonth)) << row.name;
        EXPECT_EQ(m.LoadedYear, QString::number(row.shownYear)) << row.name;
        EXPECT_EQ(f.reread()->PubLine[10][0], row.saved.isEmpty() ? "" : "会議") << row.name;
        for (const QString& year : {row.created, row.neighbour})
            EXPECT_TRUE(year.isEmpty() || QFile::exists(f.path("HB" + year + ".hbd"))) << row.name;
    }
}

} // namespace
} // namespace hibimo::test
