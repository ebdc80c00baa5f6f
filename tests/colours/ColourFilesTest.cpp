#include "calendar/Cp932.h"
#include "colours/ColourScheme.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <limits>

namespace hibimo {
namespace {

const QString SettingsReadMessage =
    QStringLiteral("Hibimo.ini ファイルを読み込めません。デフォルトの配色で立ち上げます。");
const QString SettingsWriteMessage =
    QStringLiteral("Hibimo.ini ファイルをSAVEできませんでした。次回はデフォルト配色で立ち上げます。");
const QString ColourReadMessage =
    QStringLiteral("CCFファイルが違うか 異常です。確認下さい。デフォルトの配色で立ち上げます。");
const QString ColourWriteMessage = QStringLiteral("ファイルが読取り専用と思われます。別ファイル名で保存下さい"
                                                  "。ディスクが一杯の場合はディスクを替えて下さい。");

// The 34 values in the order of a colour file, lines 4 to 10.
std::vector<qint64> values(const ColourScheme& s) {
    return {s.ColScreenBack,   s.ColGuideFore,       s.ColCommandBack,     s.ColOtherMonthBack,
            s.ColSunDateBack,  s.ColSunDateFore,     s.ColWeekdayDateBack, s.ColWeekdayDateFore,
            s.ColSatDateBack,  s.ColSatDateFore,     s.ColHolidayDateBack, s.ColHolidayDateFore,
            s.ColTodayBack,    s.ColPubLineFore,     s.ColPubLineBack,     s.ColPrivLineFore,
            s.ColPrivLineBack, s.ColMarkFore,        s.ColMarkBack,        s.ColMemoFore,
            s.ColMemoBack,     s.ColYearFore,        s.ColYearBack,        s.ColMonthFore,
            s.ColMonthBack,    s.ColWeekdayHeadFore, s.ColWeekdayHeadBack, s.ColSunHeadFore,
            s.ColSunHeadBack,  s.ColSatHeadFore,     s.ColSatHeadBack,     s.YmBorderStyle,
            s.ColFrameLine,    s.FrameLineWidth};
}

const std::vector<qint64> DefaultValues{12632256, 8421504,  12632256, 12303291, 16777215, 255,      16777215,
                                        5570560,  16777215, 12583104, 16777215, 255,      65535,    8388608,
                                        16777184, 8388608,  16777152, 255,      14548991, 0,        16777215,
                                        5570560,  16777215, 5570560,  16777215, 0,        16777215, 255,
                                        16777215, 12583104, 16777215, 0,        10526880, 2};

// Distinct values that differ from the defaults: 1000 + position, the border style 1.
std::vector<qint64> distinctValues() {
    std::vector<qint64> v;
    for (int i = 0; i < 34; ++i)
        v.push_back(1000 + i);
    v[31] = 1;
    return v;
}

QString numbers(const std::vector<qint64>& v, std::size_t from, std::size_t count) {
    QStringList fields;
    for (std::size_t i = from; i < from + count; ++i)
        fields << QString::number(v[i]);
    return fields.join(QLatin1Char(','));
}

// A colour file as the program writes it, from lines of numbers.
QString colourFile(const QString& path, const QStringList& numberLines, int closingDummies = 4) {
    QStringList lines{QLatin1Char('"') + path + QLatin1Char('"'), QStringLiteral("\"ver 10392\""),
                      QStringLiteral("\"Dummy\"")};
    lines << numberLines;
    for (int i = 0; i < closingDummies; ++i)
        lines << QStringLiteral("\"Dummy\"");
    return test::crlf(lines) + QStringLiteral("\r\n");
}

QStringList groupedLines(const std::vector<qint64>& v) {
    return {numbers(v, 0, 8),  numbers(v, 8, 5),  numbers(v, 13, 5), numbers(v, 18, 7),
            numbers(v, 25, 6), numbers(v, 31, 1), numbers(v, 32, 2)};
}

struct ColourFiles : ::testing::Test {
    test::Fixture fx;
    HbmModule& m = fx.m();
    void SetUp() override {
        ColorDefaults(m);
        m.VersionText = QStringLiteral("ver 10392");
    }
};

TEST_F(ColourFiles, DefaultsAreTheTable) {
    m.ColorFile = QStringLiteral("kept");
    EXPECT_EQ(values(m), DefaultValues);
    EXPECT_EQ(m.ColorFile, QStringLiteral("kept"));
}

TEST_F(ColourFiles, DefaultSchemeIsWrittenByteForByte) {
    m.ColorFile = fx.path(QStringLiteral("Default.ccf"));
    ColorSave(m);
    EXPECT_TRUE(fx.ui.messages.empty());
    const QByteArray expected =
        encodeCp932(QLatin1Char('"') + m.ColorFile +
                    QStringLiteral("\"\r\n\"ver 10392\"\r\n\"Dummy\"\r\n"
                                   "12632256,8421504,12632256,12303291,16777215,255,16777215,5570560\r\n"
                                   "16777215,12583104,16777215,255,65535\r\n"
                                   "8388608,16777184,8388608,16777152,255\r\n"
                                   "14548991,0,16777215,5570560,16777215,5570560,16777215\r\n"
                                   "0,16777215,255,16777215,12583104,16777215\r\n"
                                   "0\r\n"
                                   "10526880,2\r\n"
                                   "\"Dummy\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n"));
    EXPECT_EQ(fx.bytes(QStringLiteral("Default.ccf")), expected);
}

TEST_F(ColourFiles, SaveThenLoadRestoresEveryValueAndTheStoredPath) {
    const std::vector<qint64> v{std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), -1};
    m.ColScreenBack = static_cast<int>(v[0]);
    m.ColGuideFore = static_cast<int>(v[1]);
    m.ColCommandBack = -1;
    m.ColSatHeadBack = 77;
    m.YmBorderStyle = 255;
    m.ColFrameLine = 123;
    m.FrameLineWidth = -5;
    const std::vector<qint64> saved = values(m);
    // A path with a comma and Japanese text, which the quoted field must carry.
    m.ColorFile = fx.path(QStringLiteral("配色,一.ccf"));
    ColorSave(m);
    ASSERT_TRUE(QFile::copy(m.ColorFile, fx.path(QStringLiteral("moved.ccf"))));

    ColorDefaults(m);
    m.ColorFile = fx.path(QStringLiteral("moved.ccf"));
    ColorLoad(m);
    EXPECT_TRUE(fx.ui.messages.empty());
    EXPECT_EQ(values(m), saved);
    EXPECT_EQ(m.ColorFile, fx.path(QStringLiteral("配色,一.ccf")));
}

TEST_F(ColourFiles, DoubleQuoteInATextIsStoredAsItsTypographicForm) {
    m.VersionText = QStringLiteral("ver \"x\"");
    m.ColorFile = fx.path(QStringLiteral("q.ccf"));
    ColorSave(m);
    EXPECT_TRUE(fx.bytes(QStringLiteral("q.ccf")).contains(encodeCp932(QStringLiteral("\"ver ”x”\"\r\n"))));
    ColorLoad(m);
    EXPECT_TRUE(fx.ui.messages.empty());
}

TEST_F(ColourFiles, LineEndsDoNotMatterWhenReading) {
    const std::vector<qint64> v = distinctValues();
    fx.writeText(QStringLiteral("one.ccf"), colourFile(QStringLiteral("X:\\one.ccf"), {numbers(v, 0, 34)}));
    m.ColorFile = fx.path(QStringLiteral("one.ccf"));
    ColorLoad(m);
    EXPECT_TRUE(fx.ui.messages.empty());
    EXPECT_EQ(values(m), v);
    EXPECT_EQ(m.ColorFile, QStringLiteral("X:\\one.ccf"));
}

// Failures keep what was read before them: expected = the file's values up to `applied`, defaults after.
struct BrokenFile {
    const char* name;
    QString text;
    std::size_t applied;
};

TEST_F(ColourFiles, BrokenFilesApplyWhatCameBeforeTheFault) {
    const std::vector<qint64> v = distinctValues();
    const auto withLine = [&](int index, const QString& line) {
        QStringList l = groupedLines(v);
        l[index] = line;
        return colourFile(QStringLiteral("stored.ccf"), l);
    };
    const std::vector<BrokenFile> rows{
        {"closing Dummy lines missing", colourFile(QStringLiteral("stored.ccf"), groupedLines(v), 0), 34},
        {"one closing Dummy line missing", colourFile(QStringLiteral("stored.ccf"), groupedLines(v), 3), 34},
        {"256 as border style", withLine(5, QStringLiteral("256")), 31},
        {"negative border style", withLine(5, QStringLiteral("-1")), 31},
        {"colour above signed 32-bit", withLine(0, QStringLiteral("1000,1001,2147483648")), 2},
        {"colour below signed 32-bit", withLine(0, QStringLiteral("1000,-2147483649")), 1},
        {"frame width above signed 32-bit", withLine(6, QStringLiteral("1032,4294967298")), 33},
        {"a word for a number", withLine(1, QStringLiteral("1008,red")), 9},
        {"an empty field", withLine(2, QStringLiteral("1013,,1015")), 14},
        {"numbers missing",
         test::crlf({QStringLiteral("\"stored.ccf\""), QStringLiteral("\"v\""), QStringLiteral("\"Dummy\""),
                     numbers(v, 0, 8)}),
         8},
        {"only the path", QStringLiteral("\"stored.ccf\""), 0},
        {"unterminated path", QStringLiteral("\"stored.ccf\r\n"), 0},
    };
    for (const BrokenFile& row : rows) {
        SCOPED_TRACE(row.name);
        test::Fixture f;
        HbmModule& mm = f.m();
        ColorDefaults(mm);
        f.writeText(QStringLiteral("broken.ccf"), row.text);
        mm.ColorFile = f.path(QStringLiteral("broken.ccf"));
        ColorLoad(mm);
        EXPECT_EQ(f.ui.messageTexts(), QStringList{ColourReadMessage});
        std::vector<qint64> expected = DefaultValues;
        std::copy(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(row.applied), expected.begin());
        EXPECT_EQ(values(mm), expected);
        if (row.name != std::string("unterminated path")) {
            EXPECT_EQ(mm.ColorFile, QStringLiteral("stored.ccf"));
        }
    }
}

TEST_F(ColourFiles, MissingColourFileChangesNothing) {
    m.ColorFile = fx.path(QStringLiteral("none.ccf"));
    ColorLoad(m);
    EXPECT_EQ(fx.ui.messageTexts(), QStringList{ColourReadMessage});
    EXPECT_EQ(values(m), DefaultValues);
    EXPECT_EQ(m.ColorFile, fx.path(QStringLiteral("none.ccf")));
}

TEST_F(ColourFiles, SettingsNameTheColourFileToLoad) {
    const std::vector<qint64> v = distinctValues();
    const QString stored = fx.path(QStringLiteral("mine.ccf"));
    fx.writeText(QStringLiteral("mine.ccf"), colourFile(stored, groupedLines(v)));
    fx.writeText(
        QStringLiteral("Hibimo.ini"),
        test::crlf({QLatin1Char('"') + stored + QLatin1Char('"'), QStringLiteral("\"ver 10392\""),
                    QStringLiteral("\"Dummy\""), QStringLiteral("\"Dummy\""), QStringLiteral("\"Dummy\"")}) +
            QStringLiteral("\r\n"));
    SettingsRead(m);
    EXPECT_TRUE(fx.ui.messages.empty());
    EXPECT_EQ(values(m), v);
    EXPECT_EQ(m.ColorFile, stored);
}

TEST_F(ColourFiles, ShortSettingsFileLoadsNoColourFile) {
    const QString stored = fx.path(QStringLiteral("mine.ccf"));
    fx.writeText(QStringLiteral("mine.ccf"), colourFile(stored, groupedLines(distinctValues())));
    fx.writeText(QStringLiteral("Hibimo.ini"),
                 test::crlf({QLatin1Char('"') + stored + QLatin1Char('"'), QStringLiteral("\"ver 10392\""),
                             QStringLiteral("\"Dummy\""), QStringLiteral("\"Dummy\"")}) +
                     QStringLiteral("\r\n"));
    SettingsRead(m);
    EXPECT_EQ(fx.ui.messageTexts(), QStringList{SettingsReadMessage});
    EXPECT_EQ(fx.ui.messages[0].title, QStringLiteral("Hibimo"));
    EXPECT_EQ(values(m), DefaultValues);
    EXPECT_EQ(m.ColorFile, stored);
}

TEST_F(ColourFiles, MissingSettingsFileKeepsDefaults) {
    SettingsRead(m);
    EXPECT_EQ(fx.ui.messageTexts(), QStringList{SettingsReadMessage});
    EXPECT_EQ(values(m), DefaultValues);
    EXPECT_TRUE(m.ColorFile.isEmpty());
}

TEST_F(ColourFiles, SettingsNamingAMissingColourFileShowTheColourMessage) {
    fx.writeText(QStringLiteral("Hibimo.ini"),
                 QStringLiteral("\"gone.ccf\",\"v\",\"Dummy\",\"Dummy\",\"Dummy\""));
    SettingsRead(m);
    EXPECT_EQ(fx.ui.messageTexts(), QStringList{ColourReadMessage});
    EXPECT_EQ(m.ColorFile, QStringLiteral("gone.ccf"));
}

TEST_F(ColourFiles, SettingsWithoutColourFileNameDefaultCcf) {
    SettingsWrite(m);
    EXPECT_TRUE(fx.ui.messages.empty());
    const QString expectedPath = QDir(fx.dir.path()).filePath(QStringLiteral("Default.ccf"));
    EXPECT_EQ(m.ColorFile, expectedPath);
    EXPECT_EQ(fx.bytes(QStringLiteral("Hibimo.ini")),
              encodeCp932(QLatin1Char('"') + expectedPath +
                          QStringLiteral("\"\r\n\"ver 10392\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n")));

    m.ColorFile.clear();
    SettingsRead(m);
    EXPECT_EQ(m.ColorFile, expectedPath);
}

TEST_F(ColourFiles, FailedSettingsWriteShowsItsMessage) {
    // A folder where the file should be: no write can replace it, also not as root.
    ASSERT_TRUE(QDir(fx.dir.path()).mkpath(QStringLiteral("Hibimo.ini/inside")));
    m.ColorFile = QStringLiteral("a.ccf");
    SettingsWrite(m);
    EXPECT_EQ(fx.ui.messageTexts(), QStringList{SettingsWriteMessage});
    EXPECT_TRUE(QDir(fx.path(QStringLiteral("Hibimo.ini/inside"))).exists());
}

TEST_F(ColourFiles, FailedColourSaveKeepsTheNewNameAndTheOldFiles) {
    fx.writeText(QStringLiteral("old.ccf"), QStringLiteral("old"));
    const std::vector<QString> targets{fx.path(QStringLiteral("no such folder/x.ccf")), fx.dir.path(),
                                       QString()};
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        fx.ui.messages.clear();
        m.ColorFile = target;
        ColorSave(m);
        EXPECT_EQ(fx.ui.messageTexts(), QStringList{ColourWriteMessage});
        EXPECT_EQ(m.ColorFile, target);
        EXPECT_EQ(values(m), DefaultValues);
    }
    EXPECT_EQ(fx.bytes(QStringLiteral("old.ccf")), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(fx.path(QStringLiteral("no such folder"))));
}

} // namespace
} // namespace hibimo
