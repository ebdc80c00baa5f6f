#include "app/AlmanacView.h"
#include "app/PrintCommands.h"
#include "tests/TestSupport.h"
#include "toolkit/QtInteraction.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>

namespace hibimo::test {
namespace {

// A PDF printer as the page's device: the fonts measure as on paper.
struct Paper {
    QPrinter printer{QPrinter::HighResolution};
    QRectF area;
    Paper() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        area = QRectF(QPointF(), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    }
};

const PageText* textWith(const Page& page, const QString& part) {
    const auto found =
        std::ranges::find_if(page.texts, [&](const PageText& t) { return t.text.contains(part); });
    return found == page.texts.end() ? nullptr : &*found;
}

bool insideItsBox(const PageText& t) {
    return t.box.contains(t.needed.adjusted(0.5, 0.5, -0.5, -0.5));
}

// On paper a red day has a red number and a scheme colour too pale for paper turns black.
TEST(PrintPage, TheMonthPageHoldsEveryLineInFullAndPrivateNotesOnlyWhenChosen) {
    Calendar fx;
    HbmModule& m = fx.m();
    m.colours.ColHolidayDateFore = 0x0000FF;
    m.colours.ColWeekdayDateFore = 0xFFFFFF;
    const QString longNote = QString(QStringLiteral("運動会のお弁当と水筒と敷物を忘れない")).repeated(4);
    m.PubLine[4][19] = longNote;
    m.PrivLine[4][19] = QStringLiteral("内緒の予定");
    m.DayItem[4][20][2] = QStringLiteral("05212 ◆");
    m.DayItem[4][0][0] = QStringLiteral("05000今月は衣替え");
    const PageSources sources{[](int year) { return year == 2024 ? QStringLiteral("令和6年") : QString(); },
                              [](QDate day) { return day.day() == 1 ? QStringLiteral("大安") : QString(); }};
    Paper paper;
    for (bool privateNotes : {false, true}) {
        PrintChoices choices;
        choices.privateNotes = privateNotes;
        const MonthPageData data = monthPageOf(m, 2024, 5, choices, sources);
        ASSERT_EQ(data.days.size(), 35u);
        EXPECT_EQ(std::pair(data.days[0].date, data.days[0].inMonth), std::pair(QDate(2024, 4, 28), false));
        EXPECT_EQ(data.days[Calendar::cellOf(3)].numberColour, QColor(Qt::red));   // 3 May
        EXPECT_EQ(data.days[Calendar::cellOf(7)].numberColour, QColor(Qt::black)); // a Tuesday
        const Page page = layoutMonthPage(data, paper.area, paper.printer);
        EXPECT_EQ(page.texts.front().text, QStringLiteral("2024年5月　令和6年"));
        for (const PageText& t : page.texts)
            EXPECT_TRUE(insideItsBox(t)) << t.text.toStdString() << " is cut off";
        for (const QString& part : {longNote, QStringLiteral("憲法記念日"), QStringLiteral("今月は衣替え"),
                                    QStringLiteral("◆"), QStringLiteral("花子")})
            EXPECT_TRUE(textWith(page, part)) << part.toStdString();
        EXPECT_EQ(textWith(page, QStringLiteral("内緒の予定")) != nullptr, privateNotes);
        // 1 May and 1 June, a neighbour cell: the almanac reaches every day the page shows.
        EXPECT_EQ(std::ranges::count(page.texts, QStringLiteral("大安"), &PageText::text), 2);
    }
}

TEST(PrintPage, TheYearPageNamesItsRedDaysUnderEachMonth) {
    Calendar fx;
    Paper paper;
    const Page page = layoutYearPage(yearPageOf(fx.m(), 2024, {}), paper.area, paper.printer);
    EXPECT_EQ(page.texts.front().text, QStringLiteral("2024年"));
    QStringList parts = {QStringLiteral("3 憲法記念日"), QStringLiteral("1 元旦")};
    for (int month = 1; month <= 12; ++month)
        parts << QStringLiteral("%1月").arg(month);
    for (const QString& part : parts)
        EXPECT_TRUE(textWith(page, part)) << part.toStdString();
    EXPECT_FALSE(textWith(page, QStringLiteral("記念日　"))); // 5/10 is not a red day
    for (const PageText& t : page.texts)
        EXPECT_TRUE(insideItsBox(t)) << t.text.toStdString();
}

TEST(PrintCommand, ThePreviewShowsThePageAndRemembersTheLayoutChosen) {
    Calendar fx;
    int pages = -1, remembered = -1;
    fx.ui.modalActions.push_back([&pages](QWidget& preview) {
        auto* widget = preview.findChild<QPrintPreviewWidget*>();
        widget->updatePreview();
        pages = widget->pageCount();
        preview.findChild<QComboBox*>(QStringLiteral("PrintLayout"))->setCurrentIndex(1);
    });
    fx.ui.modalActions.push_back([&remembered](QWidget& preview) {
        remembered = preview.findChild<QComboBox*>(QStringLiteral("PrintLayout"))->currentIndex();
    });
    fx.f().CmdPrint->click();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(fx.bytes(PrintChoicesFileName), QByteArray("1,0\r\n"));
    fx.f().CmdPrint->click();
    EXPECT_EQ(std::pair(remembered, fx.ui.messageTexts()), std::pair(1, QStringList()));
}

TEST(AlmanacView, TheErasStandBesideTheMonthAndTheCheckBoxShowsEachDaysAlmanacAndIsRemembered) {
    Calendar fx;
    HbmFrm& f = fx.f();
    EXPECT_EQ(f.LblEra->caption(), QStringLiteral("令\n和\n6\n年")) << "downwards";
    EXPECT_EQ(std::pair(f.ChkAlmanac->isChecked(), f.Text1[Calendar::cellOf(8)]->asideText()),
              std::pair(false, QString()));
    const QRect mark = f.Text5[0]->geometry();
    f.ChkAlmanac->click();
    EXPECT_EQ(fx.bytes(ViewChoicesFileName), QByteArray("1\r\n"));
    // New moon at 12:22 JST on 8 May 2024: the 1st of the 4th month, 仏滅 as every 4/1.
    EXPECT_EQ(f.Text1[Calendar::cellOf(8)]->asideText(), QStringLiteral("仏滅 旧4/1"));
    EXPECT_FALSE(f.Text1[0]->asideText().isEmpty()); // 28 April, a neighbour cell
    EXPECT_LT(f.Text5[0]->width(), mark.width());
    EXPECT_EQ(f.Text5[0]->geometry().right(), mark.right());
    f.ChkAlmanac->click();
    EXPECT_EQ(fx.bytes(ViewChoicesFileName), QByteArray("0\r\n"));
    EXPECT_TRUE(f.Text1[Calendar::cellOf(8)]->asideText().isEmpty());
    EXPECT_EQ(f.Text5[0]->width(), mark.width());
    for (const auto& [bytes, shown] :
         {std::pair<QByteArray, bool>{"1\r\n", true}, {"0\r\n", false}, {"x", false}, {"", false}}) {
        fx.writeBytes(ViewChoicesFileName, bytes);
        EXPECT_EQ(readAlmanacShown(fx.dir.path()), shown) << bytes.constData();
    }
    for (int k = 0; k < 5; ++k)
        f.Command2[0]->click();
    EXPECT_EQ(f.LblEra->caption(), QStringLiteral("平\n成\n31\n年\n\n令\n和\n元\n年")) << "both eras of 2019";
}

TEST(HelpPrint, HintLabelsShowTheUsageAndThePrintLabelPrints) {
    Calendar fx;
    for (QWidget* label : {fx.frm->Label6[1], fx.frm->Label6[2], fx.frm->Label6[3], fx.frm->lblPrintForm})
        QTest::mouseClick(label, Qt::LeftButton);
    const QString usage = QStringLiteral(
        "(1)休業日や出張、旅行などのマークをカレンダーの日付の右方にDblClickで入力できます。\r"
        "   休業日は ◆、旅行日は 旅 などのマークや１文字を使うと便利です。\r"
        "\r"
        "(2)日付枠の下の枠(祝祭日など枠)および 最下の枠(誕生日など枠)にもDblClickで入力できます。\r"
        "   子供の運動会や旅行先などはこの枠に入力するとよいでしょう。\r"
        "   文が長く枠からはみ出して隠れていてもクリックすると出てきます。");
    EXPECT_EQ(fx.ui.messageTexts(), QStringList({usage, usage, usage}));
    EXPECT_EQ(fx.ui.messages.at(0).title, QStringLiteral("Hibimo"));
    EXPECT_EQ(fx.ui.calls.last(), QStringLiteral("print:HbmFrm"));
}

TEST(HelpPrint, WithoutAPrinterTheWindowGoesToALandscapePdfOfText) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is configured; printing here would use it";
    Calendar fx;
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    QtInteraction(fx.dir.path()).printWindow(fx.f());
    const QStringList pdfs = QDir(fx.dir.path()).entryList({QStringLiteral("Hibimoyomi *.pdf")});
    ASSERT_EQ(pdfs.size(), 1);
    EXPECT_EQ(shown, QStringLiteral("プリンターが見つからないため、次のファイルに保存しました。\n") +
                         fx.path(pdfs[0]));
    const QByteArray bytes = fx.bytes(pdfs[0]);
    const auto page =
        QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])").match(QString::fromLatin1(bytes));
    ASSERT_TRUE(page.hasMatch());
    EXPECT_GT(page.captured(1).toDouble(), page.captured(2).toDouble()) << "landscape";
    EXPECT_TRUE(bytes.contains("/FontFile")) << "the window's texts stay text";
}

} // namespace
} // namespace hibimo::test
