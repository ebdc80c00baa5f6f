#include "tests/TestSupport.h"
#include "toolkit/QtInteraction.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QRegularExpression>
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

TEST(HelpPrint, WithoutAPrinterTheWindowGoesToALandscapePdfOfText) {
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
    EXPECT_EQ(shown, QStringLiteral("プリンターが見つからないため、次のファイルに保存しました。\n") + pdf);

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto page =
        QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])").match(QString::fromLatin1(bytes));
    ASSERT_TRUE(page.hasMatch());
    EXPECT_GT(page.captured(1).toDouble(), page.captured(2).toDouble()) << "landscape";
    EXPECT_TRUE(bytes.contains("/FontFile")) << "the window's texts stay text";
}

} // namespace
} // namespace hibimo::test
