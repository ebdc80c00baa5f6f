#include "calendar/Cp932.h"

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

} // namespace
} // namespace hibimo
