#include "ColourEditorSupport.h"
#include "calendar/Cp932.h"
#include "colours/ColourScheme.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <climits>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

// Values unlike the defaults, in lines 4 to 10 as the program writes them: 1000 + position, the border
// style (a byte) 1.
const QStringList Grouped = {"1000,1001,1002,1003,1004,1005,1006,1007",
                             "1008,1009,1010,1011,1012",
                             "1013,1014,1015,1016,1017",
                             "1018,1019,1020,1021,1022,1023,1024",
                             "1025,1026,1027,1028,1029,1030",
                             "1",
                             "1032,1033"};

QString colourFile(const QStringList& lines = Grouped, int closingDummies = 4) {
    return QStringLiteral("\"stored.ccf\"\r\n\"ver 10392\"\r\n\"Dummy\"\r\n") + lines.join("\r\n") +
           QStringLiteral("\r\n") + QStringLiteral("\"Dummy\"\r\n").repeated(closingDummies);
}
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
    void read(const QString& name, const QString& text, void (*reader)(HbmModule&)) {
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
    EXPECT_EQ(
        fx.bytes(QStringLiteral("Default.ccf")),
        encodeCp932(QLatin1Char('"') + m.ColorFile +
                    QStringLiteral("\"\r\n\"ver 10392\"\r\n\"Dummy\"\r\n"
                                   "12632256,8421504,12632256,12303291,16777215,255,16777215,5570560\r\n"
                                   "16777215,12583104,16777215,255,65535\r\n"
                                   "8388608,16777184,8388608,16777152,255\r\n"
                                   "14548991,0,16777215,5570560,16777215,5570560,16777215\r\n"
                                   "0,16777215,255,16777215,12583104,16777215\r\n"
                                   "0\r\n"
                                   "10526880,2\r\n"
                                   "\"Dummy\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n")));
}

TEST_F(ColourFiles, SaveThenLoadRestoresEveryValueAndTheStoredPath) {
    read(QStringLiteral("in.ccf"), colourFile(), ColorLoad); // every value different
    m.ColScreenBack = INT_MIN;
    m.ColGuideFore = INT_MAX;
    m.YmBorderStyle = 255;
    m.FrameLineWidth = -5;
    m.VersionText = QStringLiteral("ver \"x\""); // a double quote must not end the field
    const std::vector<qint64> saved = values(m);
    m.ColorFile = fx.path(QStringLiteral("配色,一.ccf")); // the quoted field carries the comma
    ColorSave(m);
    ASSERT_TRUE(QFile::copy(m.ColorFile, fx.path(QStringLiteral("moved.ccf"))));
    ColorDefaults(m);
    m.ColorFile = fx.path(QStringLiteral("moved.ccf"));
    ColorLoad(m);
    EXPECT_TRUE(fx.ui.messages.empty());
    EXPECT_EQ(values(m), saved);
    EXPECT_EQ(m.ColorFile, fx.path(QStringLiteral("配色,一.ccf")));
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
