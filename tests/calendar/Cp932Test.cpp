#include "calendar/Cp932.h"

#include <gtest/gtest.h>

namespace hibimo {
namespace {

struct RoundTrip {
    const char* name;
    const char* text; // UTF-8
    QByteArray bytes;
};

class Cp932RoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(Cp932RoundTrip, EncodesToTheDesktopBytesAndBack) {
    const QString text = QString::fromUtf8(GetParam().text);
    EXPECT_EQ(encodeCp932(text).toHex(' '), GetParam().bytes.toHex(' '));
    EXPECT_EQ(decodeCp932(GetParam().bytes), text);
    EXPECT_TRUE(unencodableCp932(text).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Characters, Cp932RoundTrip,
                         testing::Values(RoundTrip{"FullwidthTilde", "～", QByteArray("\x81\x60")},
                                         RoundTrip{"FullwidthHyphenMinus", "－", QByteArray("\x81\x7c")},
                                         RoundTrip{"CircledOne", "①", QByteArray("\x87\x40")},
                                         RoundTrip{"TakaVariant", "髙", QByteArray("\xfb\xfc")},
                                         RoundTrip{"SakiVariant", "﨑", QByteArray("\xfa\xb1")},
                                         RoundTrip{"HalfwidthKana", "ｶﾅ", QByteArray("\xb6\xc5")},
                                         RoundTrip{"AsciiBackslashAndTilde", "a\\~", QByteArray("a\\~")},
                                         RoundTrip{
                                             "LineBreaks", "元旦\r\n・初夢",
                                             QByteArray("\x8c\xb3\x92\x55\r\n\x81\x45\x8f\x89\x96\xb2")},
                                         RoundTrip{"Empty", "", QByteArray()}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Cp932, UnencodableCharactersBecomeQuestionMarksAndAreListedOnce) {
    const QString text = QString::fromUtf8("a😀b𠮷c😀d");
    EXPECT_EQ(encodeCp932(text), QByteArray("a?b?c?d"));
    EXPECT_EQ(unencodableCp932(text), QString::fromUtf8("😀𠮷"));
}

TEST(Cp932, ALoneSurrogateIsOneUnencodableCharacter) {
    QString text = QStringLiteral("x");
    text += QChar(0xD800);
    EXPECT_EQ(encodeCp932(text), QByteArray("x?"));
    EXPECT_EQ(unencodableCp932(text).size(), 1);
}

TEST(Cp932, InvalidOrTruncatedBytesDecodeToNothing) {
    EXPECT_FALSE(decodeCp932(QByteArray("\x81")).has_value());
    EXPECT_FALSE(decodeCp932(QByteArray("ab\x81\x20")).has_value());
}

TEST(Cp932, DoubleQuotesBecomeClosingQuotationMarks) {
    EXPECT_EQ(withoutDoubleQuotes(QStringLiteral("a\"b\"")), QString::fromUtf8("a”b”"));
}

} // namespace
} // namespace hibimo
