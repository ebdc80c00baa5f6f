// The colour scheme as its files store it, the editor that changes it, and a month's cells coloured by it.
#include "colours/HbmColor.h"
#include "colours/MonthCells.h"
#include "tests/TestSupport.h"

#include <climits>

namespace hibimo::test {
namespace {

// The scheme installed beside the program is the default scheme as written, made for the folder it lands in.
TEST(ColourFiles, DefaultSchemeIsWrittenAsDelivered) {
    Fixture fx;
    ColorDefaults(fx.m().colours);
    fx.m().colours.VersionText = QStringLiteral("ver 10392");
    fx.m().colours.ColorFile = fx.path(QStringLiteral("Default.ccf"));
    ColorSave(fx.m(), fx.m().colours);
    const QByteArray delivered = readFileBytes(QStringLiteral(HIBIMO_SOURCE_DIR "/data/Default.ccf")).value();
    EXPECT_EQ(QByteArray(delivered).replace("@HIBIMO_FOLDER@", fx.dir.path().toUtf8()),
              fx.bytes("Default.ccf"));
}

struct Editor : Fixture {
    HbmColor editor{m().colours, ui};
    Editor() {
        ColorDefaults(m().colours);
        editor.show();
        editor.activateIfPending();
    }
    // Pixels of the preview in the line colour; a line of width n covers n full rows.
    int linePixels() const {
        const QImage& img = editor.Picture1->image();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixelColor(x, y) == colourFromBgr(module->colours.ColFrameLine);
        return n;
    }
};

TEST(ColourEditor, EveryColourButtonStoresItsChoiceInTheFileAndItsSample) {
    // Some choosers' titles: a row out of its order, rows with one button disabled, the frame line.
    const std::map<QString, QString> titles = {
        {"Command2_0", "色の選択 - 画面下地"},      {"Command2_1", "色の選択 - コマンド 背景"},
        {"Command1_5", "色の選択 - 日付 日曜"},     {"Command2_5", "色の選択 - 日付 日曜 背景"},
        {"Command1_13", "色の選択 - 月メモ記載枠"}, {"Command2_16", "色の選択 - 前後月 日枠 背景"},
        {"Command2_17", "色の選択 - 日付枠囲み線"}};
    Editor e;
    // A row without a text colour of its own shows its cells' weekday date colour.
    EXPECT_EQ(foreColor(*e.editor.Text1[16]), e.m().colours.ColWeekdayDateFore);
    QStringList disabled; // and the thickness button, which opens no chooser
    int colour = 0;
    for (int row = 0; row < HbmColor::Rows; ++row)
        for (QPushButton* button : {e.editor.Command1[row], e.editor.Command2[row]}) {
            const QString name = button->objectName();
            const bool text = button == e.editor.Command1[row];
            SCOPED_TRACE(name.toStdString());
            if (!button->isEnabled() || (text && row == HbmColor::ThicknessRow)) {
                disabled << name;
                continue;
            }
            e.ui.colourAnswers.push_back(++colour);
            button->click();
            if (row < HbmColor::ThicknessRow) {
                EXPECT_EQ((text ? foreColor : backColor)(*e.editor.Text1[row]), colour);
            }
            const std::vector<qint64> chosen = values(e.m());
            button->click(); // nothing queued: cancelled
            EXPECT_EQ(e.ui.colourRequests.back().initial, colour);
            EXPECT_EQ(values(e.m()), chosen);
            if (titles.count(name)) {
                EXPECT_EQ(e.ui.colourRequests.back().title, titles.at(name));
            }
        }
    EXPECT_EQ(disabled,
              QStringList({"Command1_1", "Command2_8", "Command1_9", "Command1_16", "Command1_17"}));
    // The n-th button's colour is n; the holiday date background keeps its default.
    EXPECT_EQ(values(e.m()),
              (std::vector<qint64>{2,  1,  3,  30, 11, 10, 15, 14, 13, 12, 16777215, 16, 17, 20, 21, 22, 23,
                                   18, 19, 24, 25, 26, 27, 28, 29, 8,  9,  4,        5,  6,  7,  0,  31, 2}));
}

TEST(ColourEditor, ThicknessPromptReadsANumberAndThePreviewFollows) {
    Editor e;
    e.m().colours.FrameLineWidth = 7;
    e.editor.Command1[17]->click();
    ASSERT_EQ(e.ui.prompts.size(), 1u);
    EXPECT_EQ(e.ui.prompts[0].title + "|" + e.ui.prompts[0].defaultText,
              QStringLiteral("日付枠囲み線太さ|7"));
    EXPECT_EQ(e.ui.prompts[0].prompt,
              QStringLiteral("囲み線の太さを整数(20以下)で入力下さい。\n\r\n\r1 は 約 0.26mm に対応！ 0 "
                             "で 囲み線を引きません!"));
    const std::pair<const char*, int> rows[] = {
        {"2.9", 2},  {"7mm", 7},   {"25", 20},    {"-3", -3}, {"abc", 0},          {" 1 2", 12},
        {"1e1", 10}, {"-0.5", -1}, {"1e999", 20}, {"\r5", 0}, {"99999999999", 20}, {"-2147483648", INT_MIN},
        {"1", 1},    {"", 0}};
    for (const auto& [answer, width] : rows) {
        e.ui.promptAnswers.push_back(QString::fromUtf8(answer));
        e.editor.Command1[17]->click();
        EXPECT_EQ(e.m().colours.FrameLineWidth, width) << '"' << answer << '"';
        EXPECT_EQ(e.linePixels(), std::max(width, 0) * e.editor.Picture1->width()) << answer;
    }
    // Choosing the line colour where there is no line draws one of width 1.
    e.ui.colourAnswers.push_back(0xFF0000);
    e.editor.Command2[17]->click();
    EXPECT_EQ(std::pair(e.m().colours.FrameLineWidth, e.m().colours.ColFrameLine), std::pair(1, 0xFF0000));
    EXPECT_EQ(e.linePixels(), e.editor.Picture1->width());
}

TEST(ColourEditor, OtherMonthStaysApartFromTheScreenColour) {
    // Name, the screen and other-month colours before, the Command2 row clicked, the colour chosen, the
    // screen and other-month colours after.
    const std::tuple<const char*, int, int, int, int, std::pair<int, int>> rows[] = {
        {"screen chosen as the other-month colour", 0x808080, 0x707070, 0, 0x707070, {0x707070, 0x70706F}},
        {"other-month chosen as the screen colour", 0x808080, 0x707070, 16, 0x808080, {0x808080, 0x80807F}},
        {"both black: other-month moves up", 0x808080, 0, 0, 0, {0, 1}},
        {"equal from a file, any row fixes it", 0x505050, 0x505050, 5, 0x123456, {0x505050, 0x50504F}},
    };
    for (const auto& [name, screen, other, button, chosen, after] : rows) {
        Editor e;
        e.m().colours.ColScreenBack = screen;
        e.m().colours.ColOtherMonthBack = other;
        e.ui.colourAnswers.push_back(chosen);
        e.editor.Command2[button]->click();
        EXPECT_EQ(std::pair(e.m().colours.ColScreenBack, e.m().colours.ColOtherMonthBack), after) << name;
    }
}

// Every slot a cell uses gets a colour of its own, so that a cell names the slot it took.
constexpr int WeekdayFore = 1, WeekdayBack = 2, SunFore = 3, SunBack = 4, SatFore = 5, SatBack = 6,
              HolidayFore = 7, TodayBack = 8, OtherBack = 9, PubFore = 10, PubBack = 11, PrivFore = 12,
              PrivBack = 13, MarkFore = 14, MarkBack = 15;

ColourScheme distinctColours() {
    ColourScheme c;
    int colour = 0; // in the order of the names above
    for (int* slot :
         {&c.ColWeekdayDateFore, &c.ColWeekdayDateBack, &c.ColSunDateFore, &c.ColSunDateBack,
          &c.ColSatDateFore, &c.ColSatDateBack, &c.ColHolidayDateFore, &c.ColTodayBack, &c.ColOtherMonthBack,
          &c.ColPubLineFore, &c.ColPubLineBack, &c.ColPrivLineFore, &c.ColPrivLineBack, &c.ColMarkFore,
          &c.ColMarkBack, &c.ColHolidayDateBack, &c.ColScreenBack})
        *slot = ++colour;
    return c;
}

void setToday(CalendarState& s, QDate today) {
    s.TodayYear = QString::number(today.year());
    s.MarkMonth = QString::asprintf("%02d", today.month());
    s.TodayDay = std::int16_t(today.day());
}

TEST(MonthCells, TakeTextsAndColoursFromTheirDay) {
    CalendarState s;
    s.DayItem[4][31][0] = "05310祝";
    s.PubLine[4][30] = "会";
    s.DayItem[5][2][2] = "06022#";
    s.DayItem[5][10][1] = "06101花子'72";
    s.PrivLine[5][9] = "歯医者";
    s.DayItem[5][12][2] = "06122 休";
    s.DayItem[5][13][2] = "06132";
    s.DayItem[5][14][2] = "06142#";
    s.DayItem[6][3][2] = "07032#◆";
    setToday(s, QDate(2024, 6, 15)); // a Saturday
    const MonthCells cells = monthCells(s, distinctColours(), 2024, 6);
    // Name, cell, date, texts (public line | private line | mark), the day number's colours, the back of
    // the two lines, the mark's back (it follows today).
    const std::tuple<const char*, int, QDate, QString, int, int, int, int> rows[] = {
        {"May's Sunday", 0, {2024, 5, 26}, "||", SunFore, OtherBack, OtherBack, OtherBack},
        {"May's line", 5, {2024, 5, 31}, "祝会||", WeekdayFore, OtherBack, OtherBack, OtherBack},
        {"1st, Saturday", 6, {2024, 6, 1}, "||", SatFore, SatBack, PubBack, MarkBack},
        {"red Sunday", 7, {2024, 6, 2}, "||", HolidayFore, SunBack, PubBack, MarkBack},
        {"user text last", 15, {2024, 6, 10}, "|花子'72歯医者|", WeekdayFore, WeekdayBack, PubBack, MarkBack},
        {"mark, not red", 17, {2024, 6, 12}, "||休", WeekdayFore, WeekdayBack, PubBack, MarkBack},
        {"key alone", 18, {2024, 6, 13}, "||", WeekdayFore, WeekdayBack, PubBack, MarkBack},
        {"red weekday", 19, {2024, 6, 14}, "||", HolidayFore, WeekdayBack, PubBack, MarkBack},
        {"today, Saturday", 20, {2024, 6, 15}, "||", SatFore, TodayBack, PubBack, TodayBack},
        {"red in July", 38, {2024, 7, 3}, "||◆", HolidayFore, OtherBack, OtherBack, OtherBack},
    };
    for (const auto& [name, index, date, texts, dayFore, dayBack, back, markBack] : rows) {
        SCOPED_TRACE(name);
        const MonthCell& cell = cells[index];
        const bool other = back == OtherBack;
        EXPECT_EQ(cell.date, date);
        EXPECT_EQ(QStringList({cell.publicText, cell.privateText, cell.mark}).join('|'), texts);
        EXPECT_EQ(cell.colours[MonthCell::DayNumber], (BoxColours{dayFore, dayBack}));
        EXPECT_EQ(cell.colours[MonthCell::Public], (BoxColours{PubFore, other ? OtherBack : PubBack}));
        EXPECT_EQ(cell.colours[MonthCell::Private], (BoxColours{PrivFore, other ? OtherBack : PrivBack}));
        EXPECT_EQ(cell.colours[MonthCell::Mark], (BoxColours{MarkFore, markBack}));
    }
}

TEST(MonthCells, TodayIsMarkedInTodaysYearOnly) {
    // Name, today, the year and month shown, the day marked (0: none).
    const std::tuple<const char*, QDate, int, int, int> rows[] = {
        {"today's month", {2027, 1, 5}, 2027, 1, 5},
        {"the same month a year before", {2027, 1, 5}, 2026, 1, 0},
        {"the same month a year after", {2027, 1, 5}, 2028, 1, 0},
        {"29 February in its year", {2028, 2, 29}, 2028, 2, 29},
        {"29 February, a common year shown", {2028, 2, 29}, 2029, 2, 0},
        {"29 February, a common year before", {2028, 2, 29}, 2027, 2, 0},
        {"today among the next month's cells", {2024, 6, 1}, 2024, 5, 0},
    };
    for (const auto& [name, today, year, month, markedDay] : rows) {
        CalendarState s;
        setToday(s, today);
        QList<int> marked;
        for (const MonthCell& cell : monthCells(s, distinctColours(), year, month))
            if (cell.today || cell.colours[MonthCell::DayNumber].back == TodayBack ||
                cell.colours[MonthCell::Mark].back == TodayBack)
                marked << cell.date.day();
        EXPECT_EQ(marked, markedDay ? QList<int>{markedDay} : QList<int>{}) << name;
    }
}

} // namespace
} // namespace hibimo::test
