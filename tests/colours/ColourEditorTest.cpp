// The colour scheme as its files store it, and the editor that changes it.
#include "colours/HbmColor.h"
#include "tests/TestSupport.h"
#include "tests/colours/ColourEditorSupport.h"
#include "toolkit/Colours.h"

#include <QFile>
#include <climits>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

struct ColourFiles : ::testing::Test {
    Fixture fx;
    HbmModule& m = fx.m();
    const std::vector<qint64> defaults = (ColorDefaults(m.colours), values(m));
    // The defaults with the first n values of the file.
    std::vector<qint64> fromFile(std::size_t n) const {
        std::vector<qint64> v = defaults;
        for (std::size_t i = 0; i < n; ++i)
            v[i] = i == 31 ? 1 : 1000 + qint64(i);
        return v;
    }
    // Starts as the program does: the settings file of the given number of lines names the colour file.
    void read(const QByteArray& colours, int settingsLines = 5) {
        ColorDefaults(m.colours);
        fx.ui.messages.clear();
        fx.writeBytes(QStringLiteral("in.ccf"), colours);
        fx.writeText(QStringLiteral("Hibimo.ini"),
                     QStringLiteral("\"%1\"\r\n").arg(fx.path(QStringLiteral("in.ccf"))) +
                         QStringLiteral("\"v\"\r\n").repeated(settingsLines - 1));
        SettingsRead(m, m.colours);
    }
};

// The scheme installed beside the program is the default scheme as written, made for the folder it lands in.
TEST_F(ColourFiles, DefaultSchemeIsWrittenAsDelivered) {
    m.colours.VersionText = QStringLiteral("ver 10392");
    m.colours.ColorFile = fx.path(QStringLiteral("Default.ccf"));
    ColorSave(m, m.colours);
    QFile delivered(QStringLiteral(HIBIMO_SOURCE_DIR "/data/Default.ccf"));
    ASSERT_TRUE(delivered.open(QIODevice::ReadOnly));
    EXPECT_EQ(delivered.readAll().replace("@HIBIMO_FOLDER@", fx.dir.path().toUtf8()),
              fx.bytes(QStringLiteral("Default.ccf")));
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
    EXPECT_EQ(e.ui.prompts[0].title, QStringLiteral("日付枠囲み線太さ"));
    EXPECT_EQ(e.ui.prompts[0].defaultText, QStringLiteral("7"));
    EXPECT_EQ(e.ui.prompts[0].prompt,
              QStringLiteral("囲み線の太さを整数(20以下)で入力下さい。\n\r\n\r1 は 約 0.26mm に対応！ 0 "
                             "で 囲み線を引きません!"));
    const struct {
        const char* answer;
        int width;
    } rows[] = {{"2.9", 2},    {"7mm", 7},   {"25", 20},          {"-3", -3},
                {"abc", 0},    {" 1 2", 12}, {"1e1", 10},         {"-0.5", -1},
                {"1e999", 20}, {"\r5", 0},   {"99999999999", 20}, {"-2147483648", INT_MIN},
                {"1", 1},      {"", 0}};
    for (const auto& r : rows) {
        e.ui.promptAnswers.push_back(QString::fromUtf8(r.answer));
        e.editor.Command1[17]->click();
        EXPECT_EQ(e.m().colours.FrameLineWidth, r.width) << '"' << r.answer << '"';
        EXPECT_EQ(e.linePixels(), std::max(r.width, 0) * e.editor.Picture1->width()) << r.answer;
    }
    // Choosing the line colour where there is no line draws one of width 1.
    e.ui.colourAnswers.push_back(0xFF0000);
    e.editor.Command2[17]->click();
    EXPECT_EQ(e.m().colours.FrameLineWidth, 1);
    EXPECT_EQ(e.m().colours.ColFrameLine, 0xFF0000);
    EXPECT_EQ(e.linePixels(), e.editor.Picture1->width());
}

TEST(ColourEditor, OtherMonthStaysApartFromTheScreenColour) {
    const struct {
        const char* what;
        int screen, other, button /* Command2 row */, chosen, screenAfter, otherAfter;
    } rows[] = {
        {"screen chosen as the other-month colour", 0x808080, 0x707070, 0, 0x707070, 0x707070, 0x70706F},
        {"other-month chosen as the screen colour", 0x808080, 0x707070, 16, 0x808080, 0x808080, 0x80807F},
        {"both black: other-month moves up", 0x808080, 0, 0, 0, 0, 1},
        {"equal from a file, any row fixes it", 0x505050, 0x505050, 5, 0x123456, 0x505050, 0x50504F},
    };
    for (const auto& r : rows) {
        Editor e;
        e.m().colours.ColScreenBack = r.screen;
        e.m().colours.ColOtherMonthBack = r.other;
        e.ui.colourAnswers.push_back(r.chosen);
        e.editor.Command2[r.button]->click();
        EXPECT_EQ(e.m().colours.ColScreenBack, r.screenAfter) << r.what;
        EXPECT_EQ(e.m().colours.ColOtherMonthBack, r.otherAfter) << r.what;
    }
}

} // namespace
} // namespace hibimo::test
