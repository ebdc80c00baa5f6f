// The year calendar files: writing, loading, failing (creation is followed through the main window).
#include "calendar/YearFile.h"

#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "colours/ColourScheme.h"
#include "generation/YearLoading.h"
#include "tests/CoreSupport.h"

#include <QDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace hibimo::test {
namespace {

// Makes every write beyond a size fail (EFBIG), also for root, whom folder permissions do not stop.
struct FileSizeLimit {
    rlimit old{};

    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the tests
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

TEST(YearFile, WriteLoadWriteGivesIdenticalBytes) {
    Fixture f;
    auto& m = f.m();
    m.DayItem[0][1][2] = "01012#";
    m.DayItem[0][1][0] = "01010元旦";
    m.DayItem[0][0][0] = "01000メモ\r\n二行目 ～①髙﨑ｶﾅ";
    m.DayItem[0][2][0] = "01030"; // a key alone is no entry
    m.DayItem[11][31][1] = "12311誰か'72";
    m.PubLine[1][29] = "say \"hi\"";
    m.PrivLine[0][0] = "私";
    ASSERT_TRUE(PCwrite(m, " 2024 "));
    const QByteArray first = f.bytes("HB2024.hbd");
    const QStringList list = records(first);
    ASSERT_EQ(list.size(), 749); // four entries, the marker and 744 line records
    EXPECT_EQ(list.mid(0, 7), QStringList({"01000メモ\r\n二行目 ～①髙﨑ｶﾅ", "01010元旦", "01012#",
                                           "12311誰か'72", "TTTTT", "T2PubL0101", "T3Priv0101私"}));
    // Dates that do not exist keep their slots too.
    EXPECT_EQ(QStringList({list[5 + 2 * 31 + 2 * 29], list[5 + 2 * (31 * 8 + 8)], list.last()}),
              QStringList({"T2PubL0230say ”hi”", "T2PubL0909", "T3Priv1231"}));
    EXPECT_EQ(yearFilePath(m, "../20/24"), f.path("HB2024.hbd"));
    EXPECT_EQ(yearFilePath(m, "999"), f.path("HB0999.hbd"));

    ASSERT_TRUE(PCwrite(*f.reread(), "2024"));
    EXPECT_EQ(f.bytes("HB2024.hbd"), first);
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(YearFile, AFailedWriteShowsItsMessageAndLeavesTheOldFile) {
    Fixture f;
    f.writeLists();
    ASSERT_TRUE(QDir(f.dir.path()).mkdir("HB2023.hbd"));
    EXPECT_FALSE(PCwrite(f.m(), "2023"));
    f.writeBytes("HB2024.hbd", "old");
    f.m().NewMonthText = "12";
    {
        FileSizeLimit limit(1000); // the year file is about 12 KB: the write fails half-way
        EXPECT_FALSE(PCwrite(f.m(), "2024"));
        NbMonthLoad(f.m(), " 2025");
    }
    EXPECT_EQ(f.bytes("HB2024.hbd"), QByteArray("old"));
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files),
              QStringList({"HB2024.hbd", "HBBirth.dat", "HBHolyD.dat"}));
    const QString failed = "カレンダーデータファイル作成失敗！";
    EXPECT_EQ(f.ui.messageTexts(), QStringList({failed, failed, neighbourCreation(" 2025"), failed}));
    EXPECT_EQ(f.ui.messages[0].title, AppTitle);
}

// Without the code page's converter nothing can be encoded: every writer must fail as for a full
// disk, with its own message, and leave the file it would have replaced.
TEST(Writers, AConversionThatCannotRunIsAFailedWrite) {
    Fixture f;
    f.writeLists();
    YearLoad(f.m(), "2024");
    f.m().colours.ColorFile = f.path("My.ccf");
    // The file, its writer (false: failed; the settings writers tell only by their message), the message.
    const std::tuple<const char*, std::function<bool(HbmModule&)>, QString> rows[] = {
        {"HB2024.hbd", [](HbmModule& m) { return PCwrite(m, "2024"); }, "カレンダーデータファイル作成失敗！"},
        {"HBHolyD.dat",
         [](HbmModule& m) { return writeListFile(m.filePath("HBHolyD.dat"), "**01/01元日"); },
         {}},
        {"Hibimo.ini",
         [](HbmModule& m) {
             SettingsWrite(m, m.colours);
             return false;
         },
         colourText::SettingsNotSaved},
        {"My.ccf",
         [](HbmModule& m) {
             ColorSave(m, m.colours);
             return false;
         },
         colourText::ColourFileNotSaved},
    };
    for (const auto& [file, write, message] : rows) {
        SCOPED_TRACE(file);
        f.writeBytes(file, "old");
        f.ui.messages.clear();
        simulateMissingCp932Converter(true);
        EXPECT_FALSE(write(f.m()));
        simulateMissingCp932Converter(false);
        EXPECT_EQ(f.bytes(file), QByteArray("old"));
        EXPECT_EQ(f.ui.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    }
}

// The end marker and the line records.
QString tail(int count = 744) {
    QString t = "\"TTTTT\"\r\n";
    for (int i = 0; i < count; ++i)
        t += QString::asprintf("\"%s%02d%02d\"\r\n", i % 2 ? "T3Priv" : "T2PubL", i / 62 + 1, i % 62 / 2 + 1);
    return t;
}

// A whole file whose record `record` (counted from 1, the marker being 1) holds bytes that code
// page 932 cannot decode.
QByteArray undecodableAt(int record) {
    QByteArray bytes = cp932(tail());
    qsizetype pos = 0;
    for (int i = 1; i < record; ++i)
        pos = bytes.indexOf("\r\n", pos) + 2;
    bytes.insert(pos + 3, "\x85\x40");
    return bytes;
}

// A damaged file names its first bad record and ends the program; bytes no record reaches spoil nothing.
TEST(YearLoad, ADamagedFileNamesTheRecordAndEndsTheProgramWithoutWriting) {
    const std::tuple<const char*, QByteArray, int> rows[] = {
        // record 0: read without a word
        {"a stray lead byte after the last record", cp932(tail()) + "\x81", 0},
        {"after a closing quote", cp932(tail()).replace("\"TTTTT\"", "\"TTTTT\"\x85\x40"), 0},
        {"empty file", "", 1},
        {"only the marker", "\"TTTTT\"\r\n", 2},
        {"ends before the last line record", cp932(tail(743)), 745},
        {"ends inside the entries", "\"01010a\"\r\n", 2},
        {"month 13 in the second record", cp932("\"01010a\"\r\n\"13010b\"\r\n" + tail()), 2},
        {"day 32", cp932("\"01320b\"\r\n" + tail()), 1},
        {"kind 3", cp932("\"01013b\"\r\n" + tail()), 1},
        {"key not a number", cp932("\"ab010b\"\r\n" + tail()), 1},
        {"unterminated quote", "\"TTTTT\"\r\n\"T2PubL0101", 2},
        {"not code page 932", "\"\x81\"\r\n", 1},
        {"undecodable inside record 134", undecodableAt(134), 134},
        {"undecodable inside the marker", undecodableAt(1), 1},
    };
    for (const auto& [name, bytes, record] : rows) {
        SCOPED_TRACE(name);
        Fixture f;
        f.writeBytes("HB2024.hbd", bytes);
        if (record == 0) {
            YearLoad(f.m(), "2024");
            EXPECT_TRUE(f.ui.calls.isEmpty());
            continue;
        }
        EXPECT_THROW(YearLoad(f.m(), "2024"), ProgramEnded);
        ASSERT_EQ(f.ui.messageTexts(),
                  QStringList{"カレンダーファイル HB2024.hbd の  " + QString::number(record) +
                              "行目に異常があるようです。確認下さい。"});
        EXPECT_EQ(f.ui.messages[0].title, "2024カレンダーファイル異常！");
        EXPECT_EQ(f.ui.calls, QStringList({"message", "end"}));
        EXPECT_EQ(f.bytes("HB2024.hbd"), bytes);
    }
}

// The neighbour only decorates the grid: a damaged file is read as far as it goes and left alone.
TEST(NbMonthLoad, ADamagedNeighbourIsNeitherReportedNorReplaced) {
    Fixture f;
    const QByteArray damaged = cp932("\"01010元旦\"\r\n\"01320x\"\r\n\"01030三日\"\r\n");
    f.writeBytes("HB2025.hbd", damaged);
    f.m().NewMonthText = "12";
    f.m().NbDayItem[5][0] = "stale";
    NbMonthLoad(f.m(), " 2025");
    const auto& nb = f.m().NbDayItem;
    EXPECT_EQ(QStringList({nb[1][0], nb[3][0], nb[5][0]}), QStringList({"01010元旦", "", ""}));
    EXPECT_TRUE(f.ui.calls.isEmpty());
    EXPECT_EQ(f.bytes("HB2025.hbd"), damaged);
}

} // namespace
} // namespace hibimo::test
