#include "tests/TestSupport.h"
#include "toolkit/QtInteraction.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

TEST(HelpPrint, HintLabelsShowTheUsageAndThePrintLabelPrints) {
    Calendar fx;
    const auto& frm = fx.frm;
    for (QWidget* label : {frm->Label6[1], frm->Label6[2], frm->Label6[3], frm->lblPrintForm})
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

TEST(HelpPrint, WithoutAPrinterTheWindowGoesToAPdfThatShowsIt) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is configured; printing here would use it";
    Calendar fx;
    QTemporaryDir out;
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    QtInteraction(out.path()).printWindow(fx.f());
    const QStringList pdfs = QDir(out.path()).entryList({QStringLiteral("Hibimoyomi *.pdf")});
    ASSERT_EQ(pdfs.size(), 1);
    const QString pdf = QDir(out.path()).filePath(pdfs.first());
    EXPECT_TRUE(shown.contains(pdf)) << shown.toStdString();

    const QString page = QDir(out.path()).filePath(QStringLiteral("page"));
    const int rendered = QProcess::execute(
        QStringLiteral("pdftoppm"), QStringLiteral("-png -r 50 -singlefile").split(' ') << pdf << page);
    if (rendered == -2)
        GTEST_SKIP() << "pdftoppm is not installed";
    ASSERT_EQ(rendered, 0);
    const QImage image(page + QStringLiteral(".png"));
    EXPECT_NEAR(image.width(), 570, 25); // a landscape A4 or Letter page at 50 dots per inch
    EXPECT_NEAR(image.height(), 418, 20);
    // The whole window in its proportions, mostly inked (its grey background).
    QRect inked;
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < 245) {
                ++ink;
                inked |= QRect(x, y, 1, 1);
            }
    EXPECT_GT(ink, image.width() * image.height() / 4);
    EXPECT_NEAR(inked.width() / double(inked.height()), 679.0 / 481.0, 0.05);
    EXPECT_GT(inked.width(), image.width() * 0.85);
}

} // namespace
} // namespace hibimo::test
