#include "calendar/Cp932.h"
#include "colours/ColourScheme.h"
#include "tests/TestSupport.h"
#include "tests/colours/ColourEditorSupport.h"

#include <QDir>
#include <QFile>
#include <climits>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

QString withLine(int index, const char* line) {
    QStringList lines = Grouped;
    lines[index] = QLatin1String(line);
    return colourFile(lines);
}

struct ColourFiles : ::testing::Test {
    Fixture fx;
    HbmModule& m = fx.m();
    const std::vector<qint64> defaults = (ColorDefaults(m), values(m));
    // The defaults with the first n values of the file.
    std::vector<qint64> fromFile(std::size_t n) const {
        std::vector<qint64> v = defaults;
        for (std::size_t i = 0; i < n; ++i)
            v[i] = i == 31 ? 1 : 1000 + qint64(i);
        return v;
    }
    void read(const QString& name, const QString& text, void (*reader)(ColourModule&)) {
        ColorDefaults(m);
        fx.ui.messages.clear();
        fx.writeText(name, text);
        m.ColorFile = fx.path(name);
        reader(m);
    }
};

TEST_F(ColourFiles, DefaultSchemeIsWrittenByteForByte) {
    m.VersionText = QStringLiteral("ver 10392");
    m.ColorFile = fx.path(QStringLiteral("Default.ccf"));
    ColorSave(m);
    EXPECT_EQ(fx.bytes(QStringLiteral("Default.ccf")),
              cp932(QLatin1Char('"') + m.ColorFile +
                    QStringLiteral("\"\r\n\"ver 10392\"\r\n\"Dummy\"\r\n"
                                   "12632256,8421504,12632256,12303291,16777215,255,16777215,5570560\r\n"
                                   "16777215,12583104,16777215,255,65535\r\n"
                                   "8388608,16777184,8388608,16777152,255\r\n"
                                   "14548991,0,16777215,5570560,16777215,5570560,16777215\r\n"
                                   "0,16777215,255,16777215,12583104,16777215\r\n"
                                   "0\r\n"
                                   "10526880,2\r\n"
                                   "\"Dummy\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n")));
    // The scheme installed beside the program is this file, made for the folder it lands in.
    QFile delivered(QStringLiteral(HIBIMO_SOURCE_DIR "/data/Default.ccf"));
    ASSERT_TRUE(delivered.open(QIODevice::ReadOnly));
    EXPECT_EQ(delivered.readAll().replace("@HIBIMO_FOLDER@", fx.dir.path().toUtf8()),
              fx.bytes(QStringLiteral("Default.ccf")));
}

TEST_F(ColourFiles, AnUndecodableFieldFailsThereLikeAnyBadField) {
    QByteArray bytes = cp932(colourFile(Grouped));
    bytes.replace("1009", "\x85\x40");
    ColorDefaults(m);
    fx.writeBytes(QStringLiteral("in.ccf"), bytes);
    m.ColorFile = fx.path(QStringLiteral("in.ccf"));
    ColorLoad(m);
    EXPECT_EQ(fx.ui.messageTexts(), QStringList{ColourFileFaulty});
    EXPECT_EQ(values(m), fromFile(9));
    EXPECT_EQ(m.ColorFile, QStringLiteral("stored.ccf"));
}

TEST_F(ColourFiles, ReadingAppliesWhatCameBeforeAFault) {
    const struct {
        const char* name;
        QString text;
        std::size_t applied; // values taken from the file; the rest keep what they were
        bool broken;
    } rows[] = {
        {"all in one line", colourFile({Grouped.join(',')}), 34, false},
        {"one number a line", colourFile({Grouped.join(',').replace(',', "\r\n")}), 34, false},
        {"closing Dummy lines missing", colourFile(Grouped, 0), 34, true},
        {"256 as border style in line 9", withLine(5, "256"), 31, true},
        {"a word for a number", withLine(1, "1008,red"), 9, true},
        {"colour above signed 32-bit", withLine(0, "1000,1001,2147483648"), 2, true},
        {"only the path", QStringLiteral("\"stored.ccf\""), 0, true},
    };
    for (const auto& row : rows) {
        read(QStringLiteral("in.ccf"), row.text, ColorLoad);
        EXPECT_EQ(fx.ui.messageTexts(), row.broken ? QStringList{ColourFileFaulty} : QStringList())
            << row.name;
        EXPECT_EQ(values(m), fromFile(row.applied)) << row.name;
        EXPECT_EQ(m.ColorFile, QStringLiteral("stored.ccf")) << row.name;
    }
}

TEST_F(ColourFiles, SettingsOfFourLinesReadNoColourFile) {
    fx.writeText(QStringLiteral("mine.ccf"), colourFile());
    for (int dummies : {3, 2}) {
        read(QStringLiteral("Hibimo.ini"),
             QStringLiteral("\"%1\"\r\n\"v\"\r\n").arg(fx.path(QStringLiteral("mine.ccf"))) +
                 QStringLiteral("\"Dummy\"\r\n").repeated(dummies),
             SettingsRead);
        EXPECT_EQ(fx.ui.messageTexts(), dummies == 3 ? QStringList() : QStringList{SettingsUnreadable});
        EXPECT_EQ(values(m), fromFile(dummies == 3 ? 34 : 0));
    }
}

TEST_F(ColourFiles, FailedWritesShowTheirMessageAndLeaveTheOldFile) {
    // A folder where the files should be: no write can replace it, also not as root.
    ASSERT_TRUE(QDir(fx.dir.path()).mkpath(QStringLiteral("Hibimo.ini/inside")));
    m.ColorFile = fx.path(QStringLiteral("Hibimo.ini"));
    ColorSave(m);
    SettingsWrite(m);
    EXPECT_EQ(fx.ui.messageTexts(),
              (QStringList{
                  QStringLiteral("ファイルが読取り専用と思われます。別ファイル名で保存下さい。ディスクが"
                                 "一杯の場合はディスクを替えて下さい。"),
                  QStringLiteral("Hibimo.ini ファイルをSAVEできませんでした。次回はデフォルト配色で立ち上げ"
                                 "ます。")}));
    EXPECT_TRUE(QDir(fx.path(QStringLiteral("Hibimo.ini/inside"))).exists());
}

} // namespace
} // namespace hibimo::test
