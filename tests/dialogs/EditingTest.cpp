// Editing the day cells: the grid write-back of marks and memos, the double-click edits with the memo
// dialog, the refusal of other-month cells by colour, and the growing of long boxes.
#include "EditingSupport.h"
#include "toolkit/Colours.h"
#include "toolkit/Twips.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace hibimo::test::editing {
namespace {

const QString DialogRefusal =
    QStringLiteral("当月以外の枠への入力はできません。\r一ヶ月前/後してから入力下さい。");
const QString WriteBackRefusal = QStringLiteral(
    "当月以外の枠への入力は無効です。今 入力した文字は保存されません。\r一ヶ月前/後してから入力下さい。");
const QString RefusalTitle = QStringLiteral("直接入力エラー");

// ---- Grid write-back of a mark

struct MarkRow {
    const char* name;
    int day;
    const char* before; // the mark entry before
    const char* typed;
    const char* after;
};

void PrintTo(const MarkRow& row, std::ostream* os) {
    *os << row.name;
}

class EditingMarkWriteBack : public ::testing::TestWithParam<MarkRow> {};

TEST_P(EditingMarkWriteBack, StoresTheMarkKeepingTheRedDayFlag) {
    const MarkRow& row = GetParam();
    Calendar c;
    HbmModule& m = c.m();
    m.DayItem[4][row.day][2] = QString::fromUtf8(row.before);
    const int i = c.cellOf(row.day);
    c.showInBox(*c.f().Text5[i], QString::fromUtf8(row.typed));
    m.LoadedYearChanged = false;
    c.f().TxtBox2Array(5, i);
    EXPECT_EQ(m.DayItem[4][row.day][2], QString::fromUtf8(row.after));
    EXPECT_EQ(m.LoadedYearChanged, QString::fromUtf8(row.before) != QString::fromUtf8(row.after));
    EXPECT_TRUE(c.ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EditingMarkWriteBack,
    ::testing::Values(MarkRow{"NewMarkOnOrdinaryDay", 10, "", "休", "05102 休"},
                      MarkRow{"NewMarkOnRedDay", 3, "05032#", "休", "05032#休"},
                      MarkRow{"MarkReplaced", 10, "05102 出", "●", "05102 ●"},
                      MarkRow{"RedDayMarkReplaced", 3, "05032#出", "休", "05032#休"},
                      MarkRow{
                          "ClearedOnOrdinaryDayRemovesTheEntry",
                          10,
                          "05102 出",
                          "",
                          "",
                      },
                      MarkRow{"ClearedOnRedDayKeepsTheFlag", 3, "05032#休", "", "05032#"},
                      MarkRow{"SpacesAroundAreTrimmed", 10, "", "  休 ", "05102 休"},
                      MarkRow{"OnlySpacesCountAsBlanks", 10, "", "　", "05102 　"},
                      MarkRow{"LongMarkStoredAsTyped", 10, "", "出張予定", "05102 出張予定"},
                      MarkRow{"DoubleQuoteStoredAsClosingQuote", 10, "", "\"A\"", "05102 ”A”"},
                      MarkRow{"HashInsideAnOldMarkIsNoFlag", 10, "05102 #", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Grid write-back of the month memo

TEST(EditingMemoWriteBack, StoresTheMemoOfTheShownMonth) {
    struct Row {
        const char* name;
        QString typed;
        QString stored;
    } rows[] = {
        {"memo", QStringLiteral("連休の予定"), QStringLiteral("05000連休の予定")},
        {"spaces trimmed, inner line break kept", QStringLiteral("  一\r\n二  "),
         QStringLiteral("05000一\r\n二")},
        {"only spaces remove the memo", QStringLiteral("   "), QString()},
        {"double quote", QStringLiteral("\"x\""), QStringLiteral("05000”x”")},
    };
    for (const auto& row : rows) {
        Calendar c;
        HbmModule& m = c.m();
        m.DayItem[4][0][0] = QStringLiteral("05000前のメモ");
        m.DispDone = false; // the box is filled as the display fills it
        c.f().Text4->setText(row.typed);
        m.DispDone = true;
        c.f().TxtBox2Array(4, 15);
        EXPECT_EQ(m.DayItem[4][0][0], row.stored) << row.name;
        EXPECT_TRUE(m.LoadedYearChanged) << row.name;
    }
}

TEST(EditingMemoWriteBack, DecemberMemoGoesToMonthElevenWhateverCellFifteenShows) {
    Calendar c(QDate(2024, 12, 15));
    HbmModule& m = c.m();
    ASSERT_EQ(c.f().Label2->caption(), QStringLiteral("12"));
    c.pasteMemo(QStringLiteral("年末"));
    EXPECT_EQ(m.DayItem[11][0][0], QStringLiteral("12000年末"));
    c.showInBox(*c.f().Text1[15], QStringLiteral("3"));
    c.f().TxtBox2Array(4, 15);
    EXPECT_EQ(m.DayItem[11][0][0], QStringLiteral("12000年末"));
    EXPECT_EQ(m.DayItem[2][0][0], QString());
}

TEST(EditingWriteBackRefusal, ComparesColoursNotDates) {
    struct Row {
        const char* name;
        int cell;
        bool equalColours; // the in-month date background made equal to the other-month colour
        bool refused;
    } rows[] = {
        {"day of April in a leading cell", 0, false, true},
        {"day of June in a trailing cell", 40, false, true},
        {"day of May", 12, false, false},
        {"day of May whose colour equals the other-month colour", 12, true, true},
    };
    for (const auto& row : rows) {
        Calendar c;
        HbmModule& m = c.m();
        if (row.equalColours) {
            m.ColOtherMonthBack = m.ColWeekdayDateBack;
            c.f().F_C_disp(2024, 5);
        }
        const YearItems before = m.DayItem;
        c.showInBox(*c.f().Text5[row.cell], QStringLiteral("休"));
        m.LoadedYearChanged = false;
        c.f().TxtBox2Array(5, row.cell);
        if (row.refused) {
            EXPECT_TRUE(m.DayItem == before) << row.name;
            EXPECT_FALSE(m.LoadedYearChanged) << row.name;
            ASSERT_EQ(c.ui.messages.size(), 1u) << row.name;
            EXPECT_EQ(c.ui.messages[0].text, WriteBackRefusal) << row.name;
            EXPECT_EQ(c.ui.messages[0].title, RefusalTitle) << row.name;
        } else {
            EXPECT_FALSE(m.DayItem == before) << row.name;
            EXPECT_TRUE(c.ui.messages.empty()) << row.name;
        }
    }
}

// ---- Double-click edits

enum class Box { DayNumber, Public, Private, Mark };

void doubleClick(Calendar& c, Box box, int i) {
    HbmFrm& f = c.f();
    CellBox* target = box == Box::DayNumber ? f.Text1[i]
                      : box == Box::Public  ? f.Text2[i]
                      : box == Box::Private ? f.Text3[i]
                                            : f.Text5[i];
    QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
}

struct EditRow {
    const char* name;
    Box box;
    int day;
    std::function<void(HbmInput&)> act;
    const char* offered; // the text the dialog opens with
    const char* title;
    const char* guide1;
    const char* stored; // the user text (or mark entry) afterwards
    const char* shown;  // what the box shows afterwards
    const char* record; // a record the year file holds afterwards
};

void PrintTo(const EditRow& row, std::ostream* os) {
    *os << row.name;
}

class EditingDoubleClick : public ::testing::TestWithParam<EditRow> {};

QString userText(HbmModule& m, Box box, int day) {
    if (box == Box::Public)
        return m.PubLine[4][day - 1];
    if (box == Box::Private)
        return m.PrivLine[4][day - 1];
    return m.DayItem[4][day][2];
}

TEST_P(EditingDoubleClick, EditsStoresSavesAndShows) {
    const EditRow& row = GetParam();
    Calendar c;
    HbmModule& m = c.m();
    HbmFrm& f = c.f();
    m.PubLine[4][9] = QStringLiteral("会議");
    m.PrivLine[4][9] = QStringLiteral("歯医者");
    m.DayItem[4][10][2] = QStringLiteral("05102 出");
    ASSERT_TRUE(PCwrite(m, QStringLiteral("2024")));
    f.F_C_disp(2024, 5);
    const QString file = c.path(QStringLiteral("HB2024.hbd"));
    const QDateTime old(QDate(2000, 1, 1), QTime(0, 0));
    QFile(file).setFileTime(old, QFileDevice::FileModificationTime);

    QString offered, title, guide1;
    whenDialogOpens(c.ui, [&](HbmInput& d) {
        offered = d.Text1->text();
        title = d.Label3->caption();
        guide1 = d.Label1->caption();
        row.act(d);
    });
    const int i = c.cellOf(row.day);
    doubleClick(c, row.box, i);

    EXPECT_EQ(c.ui.calls, QStringList{QStringLiteral("modal:HbmInput")});
    EXPECT_EQ(offered, QString::fromUtf8(row.offered));
    EXPECT_EQ(title, QString::fromUtf8(row.title));
    EXPECT_EQ(guide1, QString::fromUtf8(row.guide1));
    EXPECT_EQ(userText(m, row.box, row.day), QString::fromUtf8(row.stored));
    CellBox* shownBox = row.box == Box::Public    ? f.Text2[i]
                        : row.box == Box::Private ? f.Text3[i]
                                                  : f.Text5[i];
    EXPECT_EQ(shownBox->text(), QString::fromUtf8(row.shown));
    EXPECT_GT(QFileInfo(file).lastModified(), old) << "the year file is saved whatever the outcome";
    EXPECT_TRUE(c.yearFile().contains(quotedRecord(QString::fromUtf8(row.record))))
        << c.yearFile().left(200).toStdString();
    EXPECT_FALSE(m.LoadedYearChanged);
    EXPECT_TRUE(m.DispDone);
}

const char* PubGuide = "公的or準公的行事予定をメモします。下の枠に入力下さい。";
const char* PrivGuide = "私的な行事予定などをメモします。下の枠に入力下さい。";
const char* MarkGuide = "行事､休業日､出張予定などを1～2字で入力下さい。";

INSTANTIATE_TEST_SUITE_P(
    Rows, EditingDoubleClick,
    ::testing::Values(
        EditRow{"PublicLineOfAHoliday", Box::Public, 3, typeAndConfirm(QStringLiteral("休館")), "",
                "5/3--今年のみの祝祭日的行事", PubGuide, "休館", "憲法記念日休館", "T2PubL0503休館"},
        EditRow{"PublicLineReplaced", Box::Public, 10, typeAndConfirm(QStringLiteral("総会")), "会議",
                "5/10--今年のみの祝祭日的行事", PubGuide, "総会", "記念日総会", "T2PubL0510総会"},
        EditRow{"PublicLineClearedShowsOnlyTheHoliday", Box::Public, 10,
                [](HbmInput& d) {
                    QTest::mouseClick(d.Command1[2], Qt::LeftButton);
                    QTest::mouseClick(d.Command1[0], Qt::LeftButton);
                },
                "会議", "5/10--今年のみの祝祭日的行事", PubGuide, "", "記念日", "T2PubL0510"},
        EditRow{"PublicLineCloseBoxKeepsTheText", Box::Public, 10, typeAndCloseBox(QStringLiteral("総会")),
                "会議", "5/10--今年のみの祝祭日的行事", PubGuide, "会議", "記念日会議", "T2PubL0510会議"},
        EditRow{"PrivateLineOfABirthday", Box::Private, 20, typeAndConfirm(QStringLiteral("花束")), "",
                "5/20--今年のみの個人的予定/行事", PrivGuide, "花束", "花子誕生日'72花束", "T3Priv0520花束"},
        EditRow{"PrivateLineDoubleQuote", Box::Private, 10, typeAndConfirm(QStringLiteral("\"A\"")), "歯医者",
                "5/10--今年のみの個人的予定/行事", PrivGuide, "”A”", "”A”", "T3Priv0510”A”"},
        EditRow{"MarkOnOrdinaryDay", Box::Mark, 7, typeAndConfirm(QStringLiteral("休")), "",
                "5/7--日毎メモ:この日の個人的予定", MarkGuide, "05072 休", "休", "05072 休"},
        EditRow{"MarkOnRedDay", Box::Mark, 3, typeAndConfirm(QStringLiteral("●")), "",
                "5/3--日毎メモ:この日の個人的予定", MarkGuide, "05032#●", "●", "05032#●"},
        EditRow{"MarkThroughTheDayNumber", Box::DayNumber, 10, typeAndConfirm(QStringLiteral("◆")), "出",
                "5/10--日毎メモ:この日の個人的予定", MarkGuide, "05102 ◆", "◆", "05102 ◆"},
        EditRow{"MarkCloseBoxKeepsTheMark", Box::Mark, 10, typeAndCloseBox(QStringLiteral("◆")), "出",
                "5/10--日毎メモ:この日の個人的予定", MarkGuide, "05102 出", "出", "05102 出"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EditingDoubleClick, GuidanceAndClearedRedDayMark) {
    Calendar c;
    HbmModule& m = c.m();
    QString guide2;
    whenDialogOpens(c.ui, [&](HbmInput& d) {
        guide2 = d.Label2->caption();
        typeAndConfirm({})(d);
    });
    m.DayItem[4][3][2] = QStringLiteral("05032#休");
    c.f().F_C_disp(2024, 5);
    c.cells().Text5_DblClick(c.cellOf(3));
    EXPECT_EQ(guide2, QStringLiteral("文字ではなく●◆▲などの記号を使ってもよいでしょう。"));
    EXPECT_EQ(m.DayItem[4][3][2], QStringLiteral("05032#"));
    EXPECT_TRUE(c.yearFile().contains(quotedRecord(QStringLiteral("05032#"))));
    EXPECT_EQ(c.reread()->m().DayItem[4][3][2], QStringLiteral("05032#"));

    const QStringList guides = {
        QStringLiteral("国の祝祭日など毎年 日の決まっているものは 画面左下の[国]をクリックして入力下さい。"),
        QStringLiteral(
            "誕生日などの毎年 日の決まっている個人記念日などは画面左下の[個]をクリックして入力下さい。")};
    for (int k = 0; k < 2; ++k) {
        whenDialogOpens(c.ui, [&](HbmInput& d) { guide2 = d.Label2->caption(); });
        if (k == 0)
            c.cells().Text2_DblClick(c.cellOf(4));
        else
            c.cells().Text3_DblClick(c.cellOf(4));
        EXPECT_EQ(guide2, guides[k]);
    }
}

TEST(EditingRefusal, OtherMonthCellsAreRefusedByColour) {
    struct Row {
        const char* name;
        int cell;
        bool equalColours;
    } rows[] = {
        {"leading cell (April)", 1, false},
        {"trailing cell (June)", 36, false},
        {"day of May whose colour equals the other-month colour", 12, true},
    };
    for (const auto& row : rows) {
        for (Box box : {Box::DayNumber, Box::Public, Box::Private, Box::Mark}) {
            Calendar c;
            HbmModule& m = c.m();
            if (row.equalColours) {
                m.ColOtherMonthBack = m.ColWeekdayDateBack;
                c.f().F_C_disp(2024, 5);
            }
            const QByteArray file = c.bytes(QStringLiteral("HB2024.hbd"));
            const YearItems items = m.DayItem;
            const YearLines pub = m.PubLine;
            doubleClick(c, box, row.cell);
            EXPECT_EQ(c.ui.calls, QStringList{QStringLiteral("message")}) << row.name << " box " << int(box);
            ASSERT_EQ(c.ui.messages.size(), 1u);
            EXPECT_EQ(c.ui.messages[0].text, DialogRefusal);
            EXPECT_EQ(c.ui.messages[0].title, RefusalTitle);
            EXPECT_EQ(c.bytes(QStringLiteral("HB2024.hbd")), file) << row.name;
            EXPECT_TRUE(m.DayItem == items && m.PubLine == pub) << row.name;
        }
    }
}

TEST(EditingPrivateLineChange, AChangeAfterTheDisplayOpensTheEdit) {
    Calendar c;
    HbmModule& m = c.m();
    const int i = c.cellOf(10);
    m.DispDone = false;
    c.f().Text3[i]->setText(QStringLiteral("表示中"));
    EXPECT_TRUE(c.ui.calls.isEmpty()) << "the display's own writes are not input";
    m.DispDone = true;
    whenDialogOpens(c.ui, typeAndConfirm(QStringLiteral("変更")));
    c.f().Text3[i]->setText(QStringLiteral("外から"));
    EXPECT_EQ(c.ui.calls, QStringList{QStringLiteral("modal:HbmInput")});
    EXPECT_EQ(m.PrivLine[4][9], QStringLiteral("変更"));
    EXPECT_EQ(c.f().Text3[i]->text(), QStringLiteral("変更"));
    EXPECT_TRUE(m.DispDone);
}

// ---- Long text

struct GrowRow {
    const char* name;
    Box box;
    int chars;
    int grownTwips;
    int restTwips;
};

void PrintTo(const GrowRow& row, std::ostream* os) {
    *os << row.name;
}

class EditingLongText : public ::testing::TestWithParam<GrowRow> {};

TEST_P(EditingLongText, GrowsWhileFocusedAndReturns) {
    const GrowRow& row = GetParam();
    Calendar c;
    HbmFrm& f = c.f();
    const int i = c.cellOf(8);
    CellBox* box = row.box == Box::Public ? f.Text2[i] : row.box == Box::Private ? f.Text3[i] : f.Text5[i];
    c.showInBox(*box, QString(row.chars, QChar(0x3042)));
    DayCellEditing& e = c.cells();
    auto order = [&f](QWidget* w) { return f.children().indexOf(w); };
    switch (row.box) {
    case Box::Public:
        e.Text2_GotFocus(i);
        EXPECT_GT(order(f.Text2[i]), order(f.Text3[i])) << "the public line covers the private line";
        break;
    case Box::Private:
        e.Text3_GotFocus(i);
        break;
    default:
        e.Text5_Click(i);
        EXPECT_GT(order(f.Text5[i]), order(f.Text2[i]));
        break;
    }
    EXPECT_EQ(box->height(), twipsToPx(row.grownTwips)) << row.name;
    switch (row.box) {
    case Box::Public:
        e.Text2_LostFocus(i);
        EXPECT_EQ(order(f.Text3[i]), order(f.Text2[i]) + 1) << "private line in front again";
        break;
    case Box::Private:
        e.Text3_LostFocus(i);
        break;
    default:
        e.Text5_LostFocus(i);
        break;
    }
    EXPECT_EQ(box->height(), twipsToPx(row.restTwips)) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, EditingLongText,
                         ::testing::Values(GrowRow{"Public5", Box::Public, 5, 285, 285},
                                           GrowRow{"Public6", Box::Public, 6, 420, 285},
                                           GrowRow{"Public11", Box::Public, 11, 420, 285},
                                           GrowRow{"Public12", Box::Public, 12, 630, 285},
                                           GrowRow{"Private11", Box::Private, 11, 435, 435},
                                           GrowRow{"Private12", Box::Private, 12, 630, 435},
                                           GrowRow{"Private18", Box::Private, 18, 840, 435},
                                           GrowRow{"Mark3", Box::Mark, 3, 210, 210},
                                           GrowRow{"Mark4", Box::Mark, 4, 410, 210}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EditingLongText, ClickingAndLeavingABoxThroughTheWindow) {
    Calendar c;
    HbmFrm& f = c.f();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    const int i = c.cellOf(8);
    c.showInBox(*f.Text2[i], QString(12, QChar(0x3042)));
    c.showInBox(*f.Text5[i], QStringLiteral("出張予定"));
    QTest::mouseClick(f.Text2[i], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(f.Text2[i]->height(), twipsToPx(630));
    QTest::mouseClick(f.Text5[i], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(f.Text2[i]->height(), twipsToPx(285));
    EXPECT_EQ(f.Text5[i]->height(), twipsToPx(410));
    QTest::mouseClick(f.Text3[i], Qt::LeftButton, Qt::NoModifier, QPoint(3, 20));
    EXPECT_EQ(f.Text5[i]->height(), twipsToPx(210));
}

} // namespace
} // namespace hibimo::test::editing
