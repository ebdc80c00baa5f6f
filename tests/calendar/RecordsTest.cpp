// What the files are made of: code page 932 text, records, list files.
#include "calendar/Records.h"

#include "calendar/Cp932.h"
#include "tests/CoreSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

TEST(Cp932, CharactersRoundTripThroughTheDesktopBytes) {
    const std::pair<const char*, QByteArray> rows[] = {
        {"～－", "\x81\x60\x81\x7c"},
        {"①", "\x87\x40"},
        {"髙﨑", "\xfb\xfc\xfa\xb1"},
        {"ｶﾅ", "\xb6\xc5"},
        {"a\\~", "a\\~"}, // ASCII stays ASCII
        {"元旦\r\n・", "\x8c\xb3\x92\x55\r\n\x81\x45"},
        // The desktop platform maps these single bytes; glibc's table does not.
        {"a\u0080\uF8F0\uF8F1\uF8F2\uF8F3あ", "a\x80\xa0\xfd\xfe\xff\x82\xa0"},
    };
    for (const auto& [utf8, bytes] : rows) {
        SCOPED_TRACE(utf8);
        const QString text = QString::fromUtf8(utf8);
        EXPECT_EQ(std::tuple(cp932(text).toHex(' '), decodeCp932(bytes), unencodableCp932(text)),
                  std::tuple(bytes.toHex(' '), std::optional(text), QString()));
    }
}

TEST(Cp932, UnencodableCharactersAreListedOnceAndBadBytesDecodeToNothing) {
    const QString text = QString::fromUtf8("a😀b𠮷c😀") + QChar(0xD800);
    EXPECT_EQ(cp932(text), QByteArray("a?b?c??"));
    EXPECT_EQ(unencodableCp932(text), QString::fromUtf8("😀𠮷") + QChar(0xD800));
    for (const QByteArray bad : {"\x81", "ab\x81\x20", "\x81\xff"}) // a lead byte still needs its trail byte
        EXPECT_FALSE(decodeCp932(bad).has_value()) << bad.toHex().toStdString();
}

TEST(RecordReader, ReadsQuotedAndUnquotedRecords) {
    const std::tuple<const char*, const char*, QStringList> rows[] = {
        {"last record without line end", "\"a\"\r\n\"b\"", {"a", "b"}},
        {"quoted record keeps line breaks", "\"元旦\r\n・初夢\"\r\n\"x\"\r\n", {"元旦\r\n・初夢", "x"}},
        {"blanks before, rest of line after a quote skipped", "  \t\"a\" junk,more\r\n\"\"\r\n", {"a", ""}},
        {"unquoted ends at comma or line end", "abc  ,def\r\nghi\r\n", {"abc", "def", "ghi"}},
        {"unterminated quote is no record", "\"a\"\r\n\"open", {"a"}},
        {"empty text", "", {}},
        {"undecodable byte after a closing quote never read", "\"a\"\x85\x40\r\n\"b\"", {"a", "b"}},
    };
    for (const auto& [name, text, records] : rows) {
        const QByteArray bytes = cp932(QString::fromUtf8(text));
        RecordReader reader(bytes);
        QStringList read;
        while (std::optional<QString> record = reader.next())
            read << *record;
        EXPECT_EQ(read, records) << name;
        EXPECT_TRUE(reader.atEnd()) << name;
    }
}

// An undecodable record or field is lost alone, where it stands.
TEST(RecordReader, AnUndecodableRecordOrFieldIsTheOnlyOneLost) {
    RecordReader reader(QByteArray("\"a\"\r\n\"b\x85\x40\"\r\n\"c\"\r\n"));
    EXPECT_EQ(reader.next(), "a");
    EXPECT_EQ(reader.next(), std::nullopt);
    EXPECT_EQ(reader.next(), "c");
    FieldReader fields(QByteArray("\"a\",12\r\n\"\x85\x40\",3\r\n"));
    EXPECT_EQ(fields.next(), "a");
    EXPECT_EQ(fields.nextNumber(0, 99), 12);
    EXPECT_EQ(fields.next(), std::nullopt);
    EXPECT_EQ(fields.nextNumber(0, 99), 3);
}

TEST(LeftoverTemporaries, OnlyTheTemporariesOfOurOwnSavesAreRemoved) {
    Fixture f;
    const QStringList removed = {"HB2024.hbd.OPBrRV",      "HB0999.hbd.a1B2c3", "HBHolyD.dat.zzzzzz",
                                 "HBBirth.dat.bak.QWERTY", "Hibimo.ini.000000", "配色.ccf.Ab12Cd",
                                 "HbCalDav.dat.x1Y2z3"};
    const QStringList kept = {"HB2024.hbd",         "HB2024.hbd.OPBrR", "HB2024.hbd.OPBrRV.x",
                              "HBHolyD.dat.ab-cd1", "HBHolyD.dat.bak",  "Hibimo.lock.Ab12Cd",
                              "notes.txt.OPBrRV"}; // in name order
    for (const QString& name : removed + kept)
        f.writeBytes(name, "x");
    removeLeftoverTemporaries(f.dir.path());
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files, QDir::Name), kept);
}

} // namespace
} // namespace hibimo::test
