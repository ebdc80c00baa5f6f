#include "calendar/Cp932.h"

#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <utility>

namespace hibimo {

QString unstorableCharactersMessage(const QString& characters) {
    return QStringLiteral("次の文字はファイルに保存できません: ") + characters + QStringLiteral("\r") +
           QStringLiteral("別の文字に置き換えて下さい。");
}

namespace {

// UTF-16LE on the Unicode side: one iconv step per QString code unit pair, and error positions
// translate directly into QString indices.
const char* const Unicode = "UTF-16LE";
const char* const CodePage = "CP932";

bool converterMissing = false;

class Converter {
  public:
    Converter(const char* to, const char* from)
        : cd_(converterMissing ? reinterpret_cast<iconv_t>(-1) : iconv_open(to, from)) {}
    // Opened whatever the simulation says, for a converter kept across calls that checks it at each use.
    struct Lasting {};
    Converter(const char* to, const char* from, Lasting) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return cd_; }

  private:
    iconv_t cd_;
};

// Single bytes the desktop platform's code page maps and glibc's table lacks; files written there
// may hold them, so they must survive a read and a write unchanged.
constexpr std::pair<unsigned char, char16_t> ExtraSingleBytes[] = {
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};

std::optional<char16_t> extraCharacter(unsigned char byte) {
    for (const auto& [b, c] : ExtraSingleBytes)
        if (b == byte)
            return c;
    return std::nullopt;
}

std::optional<char> extraByte(QChar character) {
    for (const auto& [b, c] : ExtraSingleBytes)
        if (c == character.unicode())
            return static_cast<char>(b);
    return std::nullopt;
}

// Code units taken by the character at index i (a surrogate pair is one character).
qsizetype characterLength(const QString& text, qsizetype i) {
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return 2;
    return 1;
}

constexpr qsizetype Block = 32;

// Where the run of blocks starting at `at` ends: the blocks all ASCII, or all holding something else.
qsizetype runEnd(QStringView units, qsizetype at, bool ascii) {
    auto isAsciiBlock = [&](qsizetype from) {
        const QStringView block = units.sliced(from, std::min(Block, units.size() - from));
        return std::all_of(block.begin(), block.end(), [](QChar c) { return c.unicode() < 0x80; });
    };
    while (at < units.size() && isAsciiBlock(at) == ascii)
        at = std::min(at + Block, units.size());
    return at;
}

// Converts text[from, to) with iconv into dst; every character iconv refuses is passed to onRefused
// with its index and replaced by "?". False when the output would not fit.
template <typename OnRefused>
bool convertRun(iconv_t conv, const QString& text, qsizetype from, qsizetype to, char*& dst, size_t& outLeft,
                OnRefused& onRefused) {
    const char* const inStart = reinterpret_cast<const char*>(text.utf16());
    auto* in = const_cast<char*>(inStart + from * 2);
    size_t inLeft = static_cast<size_t>(to - from) * 2;
    while (inLeft > 0) {
        if (iconv(conv, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            return false;
        // EILSEQ, or EINVAL for a lone high surrogate at the end: one character that cannot be carried.
        const qsizetype index = (in - inStart) / 2;
        const qsizetype length = characterLength(text, index);
        const std::optional<char> extra = extraByte(text.at(index));
        if (!extra)
            onRefused(index, length);
        if (outLeft < 1)
            return false;
        *dst++ = extra.value_or('?');
        --outLeft;
        in += length * 2;
        inLeft -= static_cast<size_t>(length) * 2;
    }
    return true;
}

// Converts text to code page 932; every character iconv refuses is passed to onRefused with its
// index and replaced by "?". Nothing when the converter cannot be opened.
template <typename OnRefused> std::optional<QByteArray> encode(const QString& text, OnRefused onRefused) {
    // A year file is encoded whole on every save (some 12 KB, nearly all of it ASCII): one converter
    // serves every call, reset before each use, and the code page's ASCII half is copied, not
    // converted. The text is looked at in blocks; iconv sees only the runs of blocks that hold other
    // characters. A run ends where an ASCII block begins, so it never splits a surrogate pair and the
    // refusals fall on the same characters as over the whole text.
    static const Converter conv(CodePage, Unicode, Converter::Lasting{});
    if (!conv.valid() || converterMissing)
        return std::nullopt;
    iconv(conv.handle(), nullptr, nullptr, nullptr, nullptr);
    QByteArray out;
    if (text.isEmpty())
        return out;
    const QStringView units(text);
    QStringEncoder ascii(QStringEncoder::Latin1, QStringEncoder::Flag::Stateless);
    // A code unit never takes more than two bytes; running out of room would be a fault of this
    // function, told as a failed conversion rather than written past the buffer.
    out.resize(text.size() * 2 + 16);
    char* dst = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    qsizetype runStart = 0;
    while (runStart < units.size()) {
        const qsizetype asciiEnd = runEnd(units, runStart, true);
        const auto length = static_cast<size_t>(asciiEnd - runStart);
        if (outLeft < length)
            return std::nullopt;
        dst = ascii.appendToBuffer(dst, units.sliced(runStart, asciiEnd - runStart));
        outLeft -= length;
        const qsizetype otherEnd = runEnd(units, asciiEnd, false);
        if (!convertRun(conv.handle(), text, asciiEnd, otherEnd, dst, outLeft, onRefused))
            return std::nullopt;
        runStart = otherEnd;
    }
    out.resize(dst - out.data());
    return out;
}

} // namespace

std::optional<QString> decodeCp932(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return QString();
    // Files are decoded record by record, some 800 records a year: one converter serves them all
    // (opening one costs more than decoding a record), reset before each use.
    static const Converter conv(Unicode, CodePage, Converter::Lasting{});
    if (!conv.valid() || converterMissing)
        return std::nullopt;
    iconv(conv.handle(), nullptr, nullptr, nullptr, nullptr);
    // A byte of code page 932 never yields more than one UTF-16 code unit.
    QString text(bytes.size(), Qt::Uninitialized);
    auto* in = const_cast<char*>(bytes.data());
    size_t inLeft = static_cast<size_t>(bytes.size());
    auto* dst = reinterpret_cast<char*>(text.data());
    size_t outLeft = static_cast<size_t>(text.size()) * 2;
    char* const dstStart = dst;
    while (iconv(conv.handle(), &in, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1)) {
        const std::optional<char16_t> extra =
            errno == EILSEQ ? extraCharacter(static_cast<unsigned char>(*in)) : std::nullopt;
        if (!extra)
            return std::nullopt;
        *dst++ = static_cast<char>(*extra & 0xFF);
        *dst++ = static_cast<char>(*extra >> 8);
        outLeft -= 2;
        ++in;
        --inLeft;
    }
    text.truncate((dst - dstStart) / 2);
    return text;
}

std::optional<QByteArray> encodeCp932(const QString& text) {
    return encode(text, [](qsizetype, qsizetype) {});
}

bool cp932Available() {
    return Converter(CodePage, Unicode).valid() && Converter(Unicode, CodePage).valid();
}

QString missingConverterMessage() {
    return QStringLiteral("このシステムにはShift_JIS(CP932)の文字コード変換がありません。") +
           QLatin1Char('\r') +
           QStringLiteral("ファイルを読むことも書くこともできないため、何も変更せずにHibimoを終了します。") +
           QLatin1Char('\r') +
           QStringLiteral("glibcの文字コード変換モジュール(gconv)が入っているか確認下さい。");
}

void simulateMissingCp932Converter(bool missing) {
    converterMissing = missing;
}

QString unencodableCp932(const QString& text) {
    QString refused;
    encode(text, [&](qsizetype index, qsizetype length) {
        const QStringView character = QStringView(text).mid(index, length);
        if (!refused.contains(character))
            refused += character;
    });
    return refused;
}

QString withoutDoubleQuotes(QString text) {
    text.replace(QLatin1Char('"'), QChar(0x201D));
    return text;
}

} // namespace hibimo
