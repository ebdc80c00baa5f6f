#include "calendar/Records.h"

#include "calendar/Cp932.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

struct ReaderCase {
    const char* name;
    const char* text;
    std::vector<const char*> records;
};

class RecordReading : public testing::TestWithParam<ReaderCase> {};

TEST_P(RecordReading, ReadsTheRecordsInOrder) {
    RecordReader reader(QString::fromUtf8(GetParam().text));
    QStringList read;
    while (std::optional<QString> record = reader.next())
        read << *record;
    QStringList expected;
    for (const char* record : GetParam().records)
        expected << QString::fromUtf8(record);
    EXPECT_EQ(read, expected);
    EXPECT_TRUE(reader.atEnd());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordReading,
    testing::Values(ReaderCase{"QuotedRecords", "\"a\"\r\n\"b\"\r\n", {"a", "b"}},
                    ReaderCase{"QuotedRecordKeepsLineBreaks",
                               "\"01010元旦\r\n・初夢\"\r\n\"x\"\r\n",
                               {"01010元旦\r\n・初夢", "x"}},
                    ReaderCase{"LeadingBlanksSkipped", "   \t\"a\"\r\n", {"a"}},
                    ReaderCase{"RestOfLineAfterQuoteSkipped", "\"a\" junk,more\r\n\"b\"\r\n", {"a", "b"}},
                    ReaderCase{"UnquotedEndsAtCommaOrLineEnd", "abc  ,def\r\nghi\r\n", {"abc", "def", "ghi"}},
                    ReaderCase{"EmptyQuotedRecord", "\"\"\r\n", {""}},
                    ReaderCase{"LastRecordWithoutLineEnd", "\"a\"\r\n\"b\"", {"a", "b"}},
                    ReaderCase{"UnterminatedQuoteIsNoRecord", "\"a\"\r\n\"open", {"a"}},
                    ReaderCase{"EmptyText", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FieldReader, ReadsQuotedAndNumberFieldsAcrossLines) {
    FieldReader reader(QStringLiteral("\"C:\\a,b.ccf\"\r\n  12632256,-5, 7\r\n\"Dummy\"\r\n"));
    EXPECT_EQ(reader.next(), QStringLiteral("C:\\a,b.ccf"));
    EXPECT_EQ(reader.nextNumber(INT32_MIN, INT32_MAX), 12632256);
    EXPECT_EQ(reader.nextNumber(INT32_MIN, INT32_MAX), -5);
    EXPECT_EQ(reader.nextNumber(0, 255), 7);
    EXPECT_EQ(reader.next(), QStringLiteral("Dummy"));
    EXPECT_FALSE(reader.next().has_value());
}

TEST(FieldReader, RefusesNumbersThatAreMissingMalformedOrOutOfRange) {
    FieldReader reader(QStringLiteral("256,abc,12x,99999999999"));
    EXPECT_FALSE(reader.nextNumber(0, 255).has_value());
    EXPECT_FALSE(reader.nextNumber(0, 255).has_value());
    EXPECT_FALSE(reader.nextNumber(0, 255).has_value());
    EXPECT_FALSE(reader.nextNumber(INT32_MIN, INT32_MAX).has_value());
    EXPECT_FALSE(reader.nextNumber(0, 255).has_value());
}

TEST(QuotedRecord, WritesDoubleQuotesAsClosingQuotationMarks) {
    EXPECT_EQ(quotedRecord(QStringLiteral("a\"b\r\nc")), QString::fromUtf8("\"a”b\r\nc\"\r\n"));
}

TEST(ListFile, WriteThenReadGivesTheTextAndTheExactBytes) {
    test::Fixture f;
    const QString text = QString::fromUtf8("**01/01元旦\r\n*01/02初夢 ～①髙");
    ASSERT_TRUE(writeListFile(f.path("l.dat"), text));
    EXPECT_EQ(f.bytes("l.dat"), QByteArray("\"") + encodeCp932(text) + QByteArray("\"\r\n"));
    EXPECT_EQ(readListFile(f.path("l.dat")), text);
}

TEST(ListFile, AnUnquotedFileYieldsItsFirstLineUpToTheFirstComma) {
    test::Fixture f;
    f.writeText("l.dat", QString::fromUtf8("**01/01元旦,x\r\n*01/02初夢\r\n"));
    EXPECT_EQ(readListFile(f.path("l.dat")), QString::fromUtf8("**01/01元旦"));
}

TEST(ListFile, MissingEmptyOrUndecodableFilesReadAsNothing) {
    test::Fixture f;
    f.writeBytes("empty.dat", "");
    f.writeBytes("bad.dat", "\"\x81\"\r\n");
    EXPECT_FALSE(readListFile(f.path("missing.dat")).has_value());
    EXPECT_FALSE(readListFile(f.path("empty.dat")).has_value());
    EXPECT_FALSE(readListFile(f.path("bad.dat")).has_value());
}

TEST(TextFile, AFailedWriteLeavesTheOldFile) {
    test::Fixture f;
    f.writeBytes("t.txt", "old");
    // A directory where the temporary would go makes the save fail even for root.
    ASSERT_TRUE(QDir(f.dir.path()).mkpath("sub/t.txt"));
    EXPECT_FALSE(writeTextFile(f.path("sub/t.txt"), QStringLiteral("new")));
    EXPECT_FALSE(writeTextFile(f.path("nofolder/t.txt"), QStringLiteral("new")));
    EXPECT_EQ(f.bytes("t.txt"), QByteArray("old"));
}

} // namespace
} // namespace hibimo
