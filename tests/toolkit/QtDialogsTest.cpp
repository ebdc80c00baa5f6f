#include "toolkit/AppIcon.h"
#include "toolkit/QtInteraction.h"
#include "toolkit/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

// Qt's Japanese texts for the length of a test.
struct Japanese {
    QLocale before;
    QList<QTranslator*> translators = installQtTranslations(*qApp);
    ~Japanese() {
        for (QTranslator* t : translators) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        QLocale::setDefault(before);
    }
};

// What the dialog the program opens next shows, read while it is up; `close` then ends it.
struct Seen {
    QString title;
    QStringList buttons, labels;
    QColor colour;
};
TEST(QtDialogs, QtsOwnTextsAreJapaneseAndMessageBoxesKeepTheirOk) {
    Japanese japanese;
    ASSERT_FALSE(japanese.translators.isEmpty()) << "qtbase_ja.qm (package qt6-translations-l10n)";
    QTemporaryDir dir;
    QtInteraction ui(dir.path());

    auto seen = std::make_shared<Seen>();
    auto watch = [seen](auto close) {
        QTimer::singleShot(0, [seen, close] {
            QWidget* d = QApplication::activeModalWidget();
            ASSERT_NE(d, nullptr);
            *seen = {};
            seen->title = d->windowTitle();
            for (auto* b : d->findChildren<QAbstractButton*>())
                if (b->isVisible())
                    seen->buttons << b->text().remove('&');
            for (auto* l : d->findChildren<QLabel*>())
                if (l->isVisible())
                    seen->labels << l->text().remove('&');
            if (auto* c = qobject_cast<QColorDialog*>(d))
                seen->colour = c->currentColor();
            close(d);
        });
    };
    auto reject = [](QWidget* d) { static_cast<QDialog*>(d)->reject(); };

    watch(reject);
    ui.message(QStringLiteral("テスト"));
    EXPECT_EQ(seen->buttons, QStringList{"OK"}) << "the message box's one button, as the program names it";

    watch(reject);
    EXPECT_EQ(ui.prompt(QStringLiteral("太さ"), QStringLiteral("日付枠囲み線太さ"), QStringLiteral("1")), "");
    EXPECT_TRUE(seen->buttons.contains(QStringLiteral("キャンセル")))
        << seen->buttons.join('|').toStdString();

    watch(reject);
    EXPECT_EQ(ui.chooseColour(0x3020F0, QStringLiteral("色の選択 - 日付 日曜")), std::nullopt);
    EXPECT_EQ(seen->title, QStringLiteral("色の選択 - 日付 日曜"));
    EXPECT_EQ(seen->colour, QColor(0xF0, 0x20, 0x30)) << "preset to the colour given (0x00BBGGRR)";
    EXPECT_TRUE(seen->buttons.contains(QStringLiteral("キャンセル")))
        << seen->buttons.join('|').toStdString();

    watch(reject);
    EXPECT_EQ(ui.saveFileName(QStringLiteral("配色設定File *.ccf|*.ccf|")), "");
    EXPECT_EQ(seen->title, QStringLiteral("Hibimo"));
    EXPECT_EQ(seen->buttons.filter(QRegularExpression("^保存")).size(), 1)
        << seen->buttons.join('|').toStdString();
    EXPECT_TRUE(seen->labels.filter(QStringLiteral("ファイル名")).size() == 1)
        << seen->labels.join('|').toStdString();
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
    EXPECT_GE(red, 4) << "the red day, at least two by two pixels";
    EXPECT_GE(paper, 30) << "the page";
}

} // namespace
} // namespace hibimo::test
