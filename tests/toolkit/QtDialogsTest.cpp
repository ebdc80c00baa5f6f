// Qt's own dialogs as the program opens them: Japanese, and the colour chooser preset and titled.
#include "toolkit/AppIcon.h"
#include "toolkit/QtInteraction.h"
#include "toolkit/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

// What the next modal dialog shows: its title, texts (without their "&") and colour; then it is cancelled.
struct Seen {
    QString title;
    QStringList texts;
    QColor colour;
};
std::shared_ptr<Seen> cancelNextDialog() {
    auto seen = std::make_shared<Seen>();
    QTimer::singleShot(0, [seen] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        seen->title = d->windowTitle();
        for (auto* b : d->findChildren<QAbstractButton*>())
            seen->texts << b->text().remove('&');
        for (auto* l : d->findChildren<QLabel*>())
            seen->texts << l->text().remove('&');
        if (auto* c = qobject_cast<QColorDialog*>(d))
            seen->colour = c->currentColor();
        d->reject();
    });
    return seen;
}

TEST(QtDialogs, QtsOwnTextsAreJapaneseMessageBoxesKeepTheirOk) {
    const QLocale locale;
    const QList<QTranslator*> translators = installQtTranslations(*qApp);
    ASSERT_FALSE(translators.isEmpty()) << "qtbase_ja.qm (package qt6-translations-l10n)";
    QTemporaryDir dir;
    QtInteraction ui(dir.path());

    auto seen = cancelNextDialog();
    ui.message(QStringLiteral("テスト"));
    EXPECT_TRUE(seen->texts.contains("OK")) << "the message box's button, as the program names it";
    EXPECT_FALSE(seen->texts.contains("キャンセル"));

    seen = cancelNextDialog();
    EXPECT_EQ(ui.prompt(QStringLiteral("太さ"), QStringLiteral("日付枠囲み線太さ"), QStringLiteral("1")), "");
    EXPECT_TRUE(seen->texts.contains("キャンセル")) << seen->texts.join('|').toStdString();

    seen = cancelNextDialog();
    EXPECT_EQ(ui.chooseColour(0x3020F0, QStringLiteral("色の選択 - 日付 日曜")), std::nullopt);
    EXPECT_EQ(seen->title, QStringLiteral("色の選択 - 日付 日曜"));
    EXPECT_EQ(seen->colour, QColor(0xF0, 0x20, 0x30)) << "preset to the colour given (0x00BBGGRR)";
    EXPECT_TRUE(seen->texts.contains("キャンセル")) << seen->texts.join('|').toStdString();

    seen = cancelNextDialog();
    EXPECT_EQ(ui.saveFileName(QStringLiteral("配色設定File *.ccf|*.ccf|")), "");
    EXPECT_EQ(seen->title, QStringLiteral("Hibimo"));
    EXPECT_TRUE(seen->texts.contains("保存(S)")) << seen->texts.join('|').toStdString();
    EXPECT_TRUE(seen->texts.contains("ファイル名(N):")) << seen->texts.join('|').toStdString();

    for (QTranslator* t : translators) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QLocale::setDefault(locale);
}

// The suffix is the dialog's own, so that its question before replacing a file sees the real name.
TEST(QtDialogs, AFileDialogProposesANameOfItsKindInItsKindsFolder) {
    QTemporaryDir dir;
    QtInteraction ui(dir.path());
    QString seen;
    const auto look = [&] {
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            seen = d->defaultSuffix() + "|" + d->selectedFiles().value(0) + "|" +
                   (d->testOption(QFileDialog::DontConfirmOverwrite) ? "replaces" : "asks");
            d->reject();
        });
    };
    look();
    EXPECT_EQ(ui.saveFileName({"iCalendar *.ics|*.ics|", "ics", "Hibimo2027.ics"}), "");
    EXPECT_EQ(seen, "ics|" + dir.filePath("Hibimo2027.ics") + "|asks");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    look();
    EXPECT_EQ(ui.openFileName({"配色設定File *.ccf|*.ccf|", "ccf", dir.filePath("sub/a.ccf")}), "");
    EXPECT_EQ(seen, "ccf|" + dir.filePath("sub/a.ccf") + "|asks");
}

TEST(QtDialogs, TheIconIsAMonthPageWithARedDayEvenAtSixteenPixels) {
    installAppIcon();
    const QImage small = QApplication::windowIcon().pixmap(16, 16).toImage();
    ASSERT_FALSE(small.isNull()) << "the SVG icon plugin (package libqt6svg6)";
    int red = 0, paper = 0;
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) {
            const QColor c = small.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            paper += c.red() > 240 && c.green() > 240 && c.blue() > 240;
        }
    EXPECT_GE(red, 4) << "the red day, two by two pixels";
    EXPECT_GE(paper, 30) << "the page";
}

} // namespace
} // namespace hibimo::test
