// What the files are made of: code page 932 text, records, list files.
#include "calendar/Records.h"

#include "calendar/Cp932.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

namespace hibimo {
namespace {

TEST(Cp932, CharactersRoundTripThroughTheDesktopBytes) {
    const std::pair<const char*, QByteArray> rows[] = {
        {"～－", "\x81\x60\x81\x7c"},
        {"①", "\x87\x40"},
        {"髙﨑", "\xfb\xfc\xfa\xb1"},
        {"ｶﾅ", "\xb6\xc5"},
        {"a\\~", "a\\~"}, // ASCII stays ASCII
        {"元旦\r\n・", "\x8c\xb3\x92\x55\r\n\x81\x45"},
    };
    for (const auto& [utf8, bytes] : rows) {
        SCOPED_TRACE(utf8);
        const QString text = QString::fromUtf8(utf8);
        EXPECT_EQ(encodeCp932(text).toHex(' '), bytes.toHex(' '));
        EXPECT_EQ(decodeCp932(bytes), text);
        EXPECT_TRUE(unencodableCp932(text).isEmpty());
    }
}

TEST(Cp932, UnencodableCharactersAreListedOnceAndBadBytesDecodeToNothing) {
    const QString text = QString::fromUtf8("a😀b𠮷c😀") + QChar(0xD800);
    EXPECT_EQ(encodeCp932(text), QByteArray("a?b?c??"));
    EXPECT_EQ(unencodableCp932(text), QString::fromUtf8("😀𠮷") + QChar(0xD800));
    EXPECT_FALSE(decodeCp932("\x81").has_value());
    EXPECT_FALSE(decodeCp932("ab\x81\x20").has_value());
}

TEST(RecordReader, ReadsQuotedAndUnquotedRecords) {
    const struct {
        const char* name;
        const char* text;
        QStringList records;
    } rows[] = {
        {"last record without line end", "\"a\"\r\n\"b\"", {"a", "b"}},
        {"quoted record keeps line breaks", "\"元旦\r\n・初夢\"\r\n\"x\"\r\n", {"元旦\r\n・初夢", "x"}},
        {"blanks before, rest of line after a quote skipped", "  \t\"a\" junk,more\r\n\"\"\r\n", {"a", ""}},
        {"unquoted ends at comma or line end", "abc  ,def\r\nghi\r\n", {"abc", "def", "ghi"}},
        {"unterminated quote is no record", "\"a\"\r\n\"open", {"a"}},
        {"empty text", "", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString text = QString::fromUtf8(row.text);
        RecordReader reader(text);
        QStringList read;
        while (std::optional<QString> record = reader.next())
            read << *record;
        EXPECT_EQ(read, row.records);
        EXPECT_TRUE(reader.atEnd());
    }
}

TEST(ListFile, WritesOneQuotedRecordAndReadsOnlyWhatIsThere) {
    test::Fixture f;
    const QString text = "**01/01元旦\r\n*01/02初夢 ～①髙";
    ASSERT_TRUE(writeListFile(f.path("l.dat"), text));
    EXPECT_EQ(f.bytes("l.dat"), QByteArray("\"" + encodeCp932(text) + "\"\r\n"));
    EXPECT_EQ(readListFile(f.path("l.dat")), text);

    EXPECT_FALSE(readListFile(f.path("missing.dat")).has_value());
    const std::pair<QByteArray, std::optional<QString>> rows[] = {
        {encodeCp932("**01/01元旦,x\r\n*01/02初夢\r\n"), "**01/01元旦"}, // edited by hand, unquoted
        {"", std::nullopt},
        {"\"\x81\"\r\n", std::nullopt},
    };
    for (const auto& [bytes, expected] : rows) {
        f.writeBytes("l.dat", bytes);
        EXPECT_EQ(readListFile(f.path("l.dat")), expected) << bytes.toHex(' ').toStdString();
    }
}

} // namespace
} // namespace hibimo
