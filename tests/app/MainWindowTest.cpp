#include "tests/TestSupport.h"
#include "toolkit/Colours.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

QStringList range(int from, int to) {
    QStringList s;
    for (int d = from; d <= to; ++d)
        s << QString::number(d);
    return s;
}

TEST(MainWindowLayout, ControlsStandAtTheirTwipPositions) {
    Calendar w;
    HbmFrm& f = w.f();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Hibimoyomi"));
    EXPECT_EQ(f.size(), QSize(679, 481)); // 10185 x 7215 twips
    struct Row {
        const char* name;
        QWidget* widget;
        QRect px;
    } rows[] = {
        {"Text1(0)", f.Text1[0], QRect(111, 47, 77, 30)},
        {"Text5(8)", f.Text5[8], QRect(143 + 80, 54 + 70, 41, 14)},
        {"Text2(3)", f.Text2[3], QRect(111 + 240, 68, 77, 19)},
        {"Text3(13)", f.Text3[13], QRect(111 + 480, 83 + 70, 77, 29)},
        {"Label1(6)", f.Label1[6], QRect(111 + 480, 19, 77, 22)},
        {"Label3", f.Label3, QRect(6, 15, 73, 22)},
        {"Label2", f.Label2, QRect(6, 59, 73, 64)},
        {"Command1(0)", f.Command1[0], QRect(6, 122, 22, 17)},
        {"Text4", f.Text4, QRect(4, 174, 99, 218)},
        {"Frame2", f.Frame2, QRect(3, 398, 99, 29)},
        {"LblColor(2) in Frame2", f.LblColor[2], QRect(70, 11, 23, 14)},
        {"LblHoly(2) in Frame1", f.LblHoly[2], QRect(64, 12, 29, 14)},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.widget->geometry(), row.px) << row.name;
}

TEST(MainWindowGrid, CellsFollowTheFirstWeekdayAndMonthLength) {
    struct Row {
        const char* name;
        int year, month;
        QStringList days;
    } rows[] = {
        {"1st on a Sunday (September 2024)", 2024, 9, range(1, 30) + range(1, 12)},
        {"1st on a Saturday (June 2024)", 2024, 6, range(26, 31) + range(1, 30) + range(1, 6)},
        {"28-day February from a Sunday", 2026, 2, range(1, 28) + range(1, 14)},
        {"29-day February", 2024, 2, range(28, 31) + range(1, 29) + range(1, 9)},
    };
    for (const auto& row : rows) {
        Calendar w(QDate(row.year, row.month, 10));
        EXPECT_EQ(w.dayNumbers(), row.days) << row.name;
        EXPECT_EQ(w.frm->Label2->caption(), QString::number(row.month)) << row.name;
        EXPECT_EQ(w.frm->Label5->caption(), QString::number(row.month) + QStringLiteral("月行事メモ"))
            << row.name;
    }
}

TEST(MainWindowStyling, ColoursFollowColumnRedDayTodayAndMonth) {
    Calendar w(QDate(2024, 6, 15)); // a Saturday
    HbmModule& m = w.m();
    HbmFrm& f = w.f();
    m.DayItem[5][2][2] = QStringLiteral("06022#");  // Sunday 2 June, red
    m.DayItem[6][3][2] = QStringLiteral("07032#◆"); // 3 July, red, shown in the trailing cells
    m.FrameLineWidth = 5;
    f.F_C_disp(2024, 6);
    struct Row {
        const char* name;
        int cell;
        int fore, back;
    } rows[] = {
        {"red Sunday", 7, m.ColHolidayDateFore, m.ColSunDateBack},
        {"today on a Saturday", 20, m.ColSatDateFore, m.ColTodayBack},
        {"ordinary weekday", 10, m.ColWeekdayDateFore, m.ColWeekdayDateBack},
        {"red day of the next month", 38, m.ColHolidayDateFore, m.ColOtherMonthBack},
        {"Sunday of the previous month", 0, m.ColSunDateFore, m.ColOtherMonthBack},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(foreColor(*f.Text1[row.cell]), row.fore) << row.name;
        EXPECT_EQ(backColor(*f.Text1[row.cell]), row.back) << row.name;
    }
    EXPECT_EQ(backColor(*f.Text5[20]), m.ColTodayBack);
    EXPECT_EQ(foreColor(*f.Text5[20]), m.ColMarkFore);
    EXPECT_EQ(f.Text5[38]->text(), QStringLiteral("◆"));
    EXPECT_EQ(backColor(*f.Text2[38]), m.ColOtherMonthBack);

    auto widths = [&f] {
        QList<int> seen;
        for (const auto& line : f.surfaceLines())
            if (!seen.contains(line.widthPx))
                seen << line.widthPx;
        return seen;
    };
    EXPECT_EQ(widths(), (QList<int>{30, 5}));
    m.FrameLineWidth = 0;
    f.F_C_disp(2024, 6);
    EXPECT_EQ(widths(), QList<int>{30}) << "only the erase pass remains";
    for (const auto& line : f.surfaceLines())
        EXPECT_EQ(line.colour, m.ColScreenBack);
}

TEST(MainWindowStartUp, FirstStartInAnEmptyFolder) {
    Calendar w(QDate(2024, 5, 3), false);
    HbmFrm& f = w.f();
    const QString expected[] = {SettingsUnreadable, yearCreation("2024"), HolidaysMissing,
                                AnniversariesMissing};
    ASSERT_EQ(w.startUp.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(w.startUp[i].text, expected[i]) << i;
    EXPECT_EQ(w.startUp[1].title, "2024年分作成");
    EXPECT_EQ(f.Text2[5]->text(), QString()); // 3 May: only 元旦 exists in the built-in list
    EXPECT_EQ(f.Label3->caption(), "2024");
    EXPECT_TRUE(QFile::exists(w.path("HB2024.hbd")));

    f.close();
    EXPECT_EQ(w.bytes("Hibimo.ini"), ("\"" + w.path("Default.ccf") +
                                      "\"\r\n\"ver 10392\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n")
                                         .toUtf8());
    EXPECT_FALSE(QFile::exists(w.path("HBHolyD.dat")));
}

TEST(MainWindowNavigation, CrossingYearEndsSavesTheOldYearAndCreatesTheNew) {
    Calendar w(QDate(2024, 11, 20));
    HbmFrm& f = w.f();
    HbmModule& m = w.m();
    m.PubLine[10][19] = "研修";
    m.PubLine[11][30] = "大掃除";
    m.PrivLine[11][30] = "帰省";
    m.DayItem[11][31][2] = "12312#休";

    f.Command1_Click(1); // December: January 2025 is made for the trailing cells
    EXPECT_EQ(w.ui.messageTexts(), QStringList{neighbourCreation(" 2025")});
    EXPECT_EQ(w.ui.messages[0].title, " 2025年分作成(12_1)");
    // December 2024 begins on a Sunday: the trailing cells from 31 on are January 2025.
    EXPECT_EQ(f.Text1[31]->text(), "1");
    EXPECT_EQ(f.Text2[31]->text(), "元旦");
    EXPECT_EQ(m.LoadedYear, "2024") << "the loaded year stays while 2025 is made";
    f.Command1_Click(1); // January 2025: 2024 saved, 2025 loaded
    EXPECT_EQ(f.Label3->caption(), "2025");
    EXPECT_EQ(m.LoadedYear, "2025");
    EXPECT_EQ(m.PubLine[10][19] + m.DayItem[11][31][2], QString()) << "2025 was made from empty tables";
    // January 2025 begins on a Wednesday: cell 2 is 31 December, read from the 2024 file just written.
    EXPECT_EQ(f.Text1[2]->text(), "31");
    EXPECT_EQ(f.Text2[2]->text(), "大掃除");
    EXPECT_EQ(f.Text3[2]->text(), "帰省");
    EXPECT_EQ(f.Text5[2]->text(), "休");
    EXPECT_EQ(foreColor(*f.Text1[2]), m.ColHolidayDateFore);
    EXPECT_EQ(backColor(*f.Text1[2]), m.ColOtherMonthBack);
    EXPECT_EQ(w.ui.messages.size(), 1u);

    f.Command2_Click(1); // January 2026: a new year with its message
    EXPECT_EQ(w.ui.messages.back().text, yearCreation("2026"));
    f.Command1_Click(0); // December 2025
    EXPECT_EQ(f.Label3->caption(), "2025");

    // Closing while 2025 is shown saves 2025 and loads today's year again.
    m.PrivLine[11][0] = "忘年会";
    f.close();
    EXPECT_EQ(w.reread("2025")->PrivLine[11][0], "忘年会");
    EXPECT_EQ(m.LoadedYear, "2024");
    EXPECT_EQ(m.PubLine[10][19], "研修");
}

TEST(MainWindowNavigation, YearsStayWithinOneToNineNineNineNine) {
    struct Row {
        const char* name;
        QDate today;
        bool monthButton;
        int index;
        const char* neverMade;
    } rows[] = {
        {"month after December 9999", QDate(9999, 12, 1), true, 1, "HB10000.hbd"},
        {"year after 9999", QDate(9999, 5, 1), false, 1, "HB10000.hbd"},
        {"month before January 1", QDate(1, 1, 1), true, 0, "HB0000.hbd"},
        {"year before 1", QDate(1, 7, 1), false, 0, "HB0000.hbd"},
    };
    for (const auto& row : rows) {
        Calendar w(row.today);
        HbmFrm& f = w.f();
        const QStringList before = w.dayNumbers();
        const QString year = f.Label3->caption();
        if (row.monthButton)
            f.Command1_Click(row.index);
        else
            f.Command2_Click(row.index);
        EXPECT_EQ(f.Label3->caption(), year) << row.name;
        EXPECT_EQ(w.dayNumbers(), before) << row.name;
        EXPECT_FALSE(QFile::exists(w.path(QString::fromLatin1(row.neverMade)))) << row.name;
        EXPECT_FALSE(QFile::exists(w.path(QStringLiteral("HB0.hbd")))) << row.name;
        const int next = w.dayNumbers().lastIndexOf("31") + 1; // as January 10000 after December 9999
        EXPECT_EQ(f.Text1[next]->text() + f.Text2[next]->text(), "1") << row.name << ": day numbers only";
    }
}

TEST(MainWindowNavigation, AYearBelowOneThousandHasOneFileHoweverItIsReached) {
    struct Row {
        const char* name;
        QDate today;
        bool monthButton;
        int index;
        QStringList files;
    } rows[] = {
        {"start-up in 999, month +1 to December", QDate(999, 11, 15), true, 1, {"HB0999.hbd", "HB1000.hbd"}},
        {"January 1000, month -1 to 999", QDate(1000, 1, 15), true, 0, {"HB0999.hbd", "HB1000.hbd"}},
        {"999, year +1", QDate(999, 6, 15), false, 1, {"HB0999.hbd", "HB1000.hbd"}},
        {"1000, year -1", QDate(1000, 6, 15), false, 0, {"HB0999.hbd", "HB1000.hbd"}},
        {"year 1, month +1", QDate(1, 1, 15), true, 1, {"HB0001.hbd"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Calendar w(row.today);
        HbmFrm& f = w.f();
        if (row.monthButton)
            f.Command1_Click(row.index);
        else
            f.Command2_Click(row.index);
        f.close();
        EXPECT_EQ(QDir(w.dir.path()).entryList({"HB*.hbd"}, QDir::Files, QDir::Name), row.files);
    }
    Calendar w(QDate(999, 12, 15));
    w.pasteMemo("歳末");
    w.f().Command1_Click(0);
    w.f().Command1_Click(1);
    EXPECT_EQ(w.f().Text4->toPlainText(), "歳末") << "the memo of December 999 is still there";
    w.f().close();
    EXPECT_EQ(w.reread("999")->DayItem[11][0][0], "12000歳末");
}

TEST(MainWindowShutDown, RunsOnceHoweverTheProgramEnds) {
    Calendar w;
    HbmFrm& f = w.f();
    f.shutDown();
    QFile::remove(w.path(QStringLiteral("Hibimo.ini")));
    f.close(); // the close box after a signal already ended the session
    EXPECT_FALSE(QFile::exists(w.path(QStringLiteral("Hibimo.ini"))));
}

} // namespace
} // namespace hibimo::test
