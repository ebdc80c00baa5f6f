#include "dialogs/HelpPrint.h"

#include "colours/HbmColor.h"
#include "tests/TestSupport.h"
#include "toolkit/Colours.h"
#include "toolkit/QtInteraction.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

const QString Usage = QStringLiteral(
    "(1)休業日や出張、旅行などのマークをカレンダーの日付の右方にDblClickで入力できます。\r"
    "   休業日は ◆、旅行日は 旅 などのマークや１文字を使うと便利です。\r"
    "\r"
    "(2)日付枠の下の枠(祝祭日など枠)および 最下の枠(誕生日など枠)にもDblClickで入力できます。\r"
    "   子供の運動会や旅行先などはこの枠に入力するとよいでしょう。\r"
    "   文が長く枠からはみ出して隠れていてもクリックすると出てきます。");

struct Window : Fixture {
    std::unique_ptr<HbmFrm> frm;
    Window() {
        writeList(QStringLiteral("HBHolyD.dat"), QStringLiteral("**01/01元旦"));
        writeList(QStringLiteral("HBBirth.dat"), QStringLiteral("*1972/01/25花子誕生日"));
        frm = startMainWindow(*this);
        ui.calls.clear();
        ui.messages.clear();
    }
};

TEST(HelpPrint, EveryHintLabelShowsTheUsageMessage) {
    Window w;
    for (int k : {1, 2, 3})
        QTest::mouseClick(w.frm->Label6[k], Qt::LeftButton);
    ASSERT_EQ(w.ui.messages.size(), 3u);
    for (const auto& message : w.ui.messages) {
        EXPECT_EQ(message.text, Usage);
        EXPECT_EQ(message.title, QStringLiteral("Hibimo"));
    }
    const QStringList lines = Usage.split(QLatin1Char('\r'));
    EXPECT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[2].isEmpty());
}

TEST(HelpPrint, PrintLabelPrintsTheMainWindowAndSavesNothing) {
    Window w;
    const QByteArray yearFile = w.bytes(QStringLiteral("HB2024.hbd"));
    w.m().DayItem[11][0][0] = QStringLiteral("12000not saved");
    QTest::mouseClick(w.frm->lblPrintForm, Qt::LeftButton);
    EXPECT_EQ(w.ui.calls, QStringList{QStringLiteral("print:HbmFrm")});
    EXPECT_EQ(w.bytes(QStringLiteral("HB2024.hbd")), yearFile);
}

// The first page of a PDF as an image, rendered at 50 dots per inch; a null image when the renderer
// is not installed.
QImage firstPage(const QString& pdf, const QString& folder) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return {};
    const QString prefix = QDir(folder).filePath(QStringLiteral("page"));
    QProcess p;
    p.start(tool, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-f"),
                   QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, prefix});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    const QStringList pngs = QDir(folder).entryList({QStringLiteral("page*.png")});
    return pngs.isEmpty() ? QImage() : QImage(QDir(folder).filePath(pngs.first()));
}

struct Ink {
    double nonWhite = 0; // share of pixels that are not paper
    double colour = 0;   // share of pixels near the given colour
    QRect inked;         // bounding box of what is not paper
};
Ink inkOf(const QImage& page, QColor colour) {
    qint64 nonWhite = 0, near = 0;
    QRect inked;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.lightness() < 245) {
                ++nonWhite;
                inked |= QRect(x, y, 1, 1);
            }
            near += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                        std::abs(c.blue() - colour.blue()) <
                    24;
        }
    const double all = double(page.width()) * page.height();
    return {nonWhite / all, near / all, inked};
}

class Printing : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!QPrinterInfo::defaultPrinter().isNull())
            GTEST_SKIP() << "a printer is configured; printing here would use it";
        ASSERT_TRUE(out.isValid());
    }
    QTemporaryDir out;
};

TEST_F(Printing, WithoutAPrinterTheWindowGoesToAPdfNamedByCaptionAndTime) {
    Window w;
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const QString pdf = printWidget(*w.frm, out.path());
    ASSERT_FALSE(pdf.isEmpty());
    const QFileInfo info(pdf);
    EXPECT_EQ(info.absolutePath(), QDir(out.path()).absolutePath());
    const auto match =
        QRegularExpression(QStringLiteral("^Hibimoyomi (\\d{8}-\\d{6})\\.pdf$")).match(info.fileName());
    ASSERT_TRUE(match.hasMatch()) << info.fileName().toStdString();
    const QDateTime stamp = QDateTime::fromString(match.captured(1), QStringLiteral("yyyyMMdd-HHmmss"));
    EXPECT_GE(stamp, before.addMSecs(-before.time().msec()));
    EXPECT_LE(stamp, QDateTime::currentDateTime());
    ASSERT_TRUE(info.exists());
    EXPECT_TRUE(QFile(pdf).open(QIODevice::ReadOnly));
    EXPECT_LT(info.size(), 500 * 1024); // text stays text, not one huge image

    // A second print within the same second keeps the first file.
    const QString again = printWidget(*w.frm, out.path());
    EXPECT_NE(again, pdf);
    EXPECT_TRUE(QFileInfo::exists(again));
}

TEST_F(Printing, TheRenderedPageShowsTheCalendar) {
    Window w;
    const QString pdf = printWidget(*w.frm, out.path());
    ASSERT_TRUE(QFileInfo::exists(pdf));
    const QImage page = firstPage(pdf, out.path());
    if (page.isNull())
        GTEST_SKIP() << "pdftoppm is not installed";
    // A landscape page for a wide window: A4 or Letter at 50 dpi.
    EXPECT_GT(page.width(), page.height());
    EXPECT_NEAR(page.width(), 570, 25);
    EXPECT_NEAR(page.height(), 418, 20);
    const Ink ink = inkOf(page, colourFromBgr(w.m().ColScreenBack));
    // The window's grey background fills much of the page, the white cells the rest.
    EXPECT_GT(ink.nonWhite, 0.25);
    EXPECT_GT(ink.colour, 0.15);
    // The whole window, in its proportions, within the page's margins.
    EXPECT_TRUE(page.rect().adjusted(3, 3, -3, -3).contains(ink.inked))
        << ink.inked.width() << 'x' << ink.inked.height();
    EXPECT_NEAR(ink.inked.width() / double(ink.inked.height()), 679.0 / 481.0, 0.05);
    EXPECT_GT(ink.inked.width(), page.width() * 0.85);
    // The day cells' public lines.
    EXPECT_GT(inkOf(page, colourFromBgr(w.m().ColPubLineBack)).colour, 0.05);
}

TEST_F(Printing, TheColourEditorPrintsUpright) {
    Fixture fx;
    HbmColor editor(fx.m());
    editor.show();
    editor.activateIfPending();
    const QString pdf = printWidget(editor, out.path());
    EXPECT_TRUE(QFileInfo(pdf).fileName().startsWith(QStringLiteral("HbmColor ")));
    const QImage page = firstPage(pdf, out.path());
    if (page.isNull())
        GTEST_SKIP() << "pdftoppm is not installed";
    EXPECT_LT(page.width(), page.height());
    const Ink ink = inkOf(page, Qt::white);
    EXPECT_TRUE(page.rect().adjusted(3, 3, -3, -3).contains(ink.inked));
    EXPECT_NEAR(ink.inked.width() / double(ink.inked.height()), 5775.0 / 7500.0, 0.05);
}

// The message box of a real print, read and dismissed as soon as it is up.
QString printAndReadMessage(QWidget& window, const QString& folder) {
    QtInteraction qt(folder);
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    qt.printWindow(window);
    return shown;
}

TEST_F(Printing, TheProgramTellsWhereThePdfWentOrThatItFailed) {
    Window w;
    const QString shown = printAndReadMessage(*w.frm, out.path());
    const QStringList pdfs = QDir(out.path()).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(pdfs.size(), 1);
    EXPECT_TRUE(shown.contains(QDir(out.path()).filePath(pdfs.first()))) << shown.toStdString();

    const QString missing = QDir(out.path()).filePath(QStringLiteral("no/such/folder"));
    const QString failed = printAndReadMessage(*w.frm, missing);
    EXPECT_TRUE(failed.contains(missing)) << failed.toStdString();
    EXPECT_NE(failed.section(QLatin1Char('\n'), 0, 0), shown.section(QLatin1Char('\n'), 0, 0));
}

} // namespace
} // namespace hibimo::test
