#include "calendar/Records.h"

#include "calendar/Cp932.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>

namespace hibimo {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The scans below index data() rather than the view: the fuzzers' sanitizer build calls operator[]
// out of line, once for every byte of every record.
qsizetype skipBlanks(QByteArrayView bytes, qsizetype pos) {
    while (pos < bytes.size() && isBlank(bytes.data()[pos]))
        ++pos;
    return pos;
}

// Position after the line end that starts at pos (CR LF, CR or LF).
qsizetype skipLineEnd(QByteArrayView bytes, qsizetype pos) {
    if (pos < bytes.size() && bytes.data()[pos] == '\r')
        ++pos;
    if (pos < bytes.size() && bytes.data()[pos] == '\n')
        ++pos;
    return pos;
}

qsizetype findLineEnd(QByteArrayView bytes, qsizetype pos) {
    while (pos < bytes.size() && !isLineEnd(bytes.data()[pos]))
        ++pos;
    return pos;
}

// End of an unquoted record or field: the next comma or line end.
qsizetype findSeparator(QByteArrayView bytes, qsizetype pos) {
    while (pos < bytes.size() && bytes.data()[pos] != ',' && !isLineEnd(bytes.data()[pos]))
        ++pos;
    return pos;
}

QByteArrayView trimmedRight(QByteArrayView bytes) {
    qsizetype end = bytes.size();
    while (end > 0 && isBlank(bytes.data()[end - 1]))
        --end;
    return bytes.first(end);
}

// Past a separator: a comma, or a line end with its CR LF.
qsizetype afterSeparator(QByteArrayView bytes, qsizetype end) {
    return end < bytes.size() && bytes.data()[end] == ',' ? end + 1 : skipLineEnd(bytes, end);
}

// The text of the record or field that starts at `pos`: inside its quotes (`end` just past the closing
// one), or up to the next separator without trailing blanks (`end` at the separator). Nothing when a
// quote is never closed.
struct Token {
    QByteArrayView text;
    qsizetype end;
    bool quoted;
};

std::optional<Token> tokenAt(QByteArrayView bytes, qsizetype pos) {
    if (bytes.data()[pos] == '"') {
        const qsizetype close = bytes.indexOf('"', pos + 1);
        if (close < 0)
            return std::nullopt;
        return Token{bytes.sliced(pos + 1, close - pos - 1), close + 1, true};
    }
    const qsizetype end = findSeparator(bytes, pos);
    return Token{trimmedRight(bytes.sliced(pos, end - pos)), end, false};
}

std::optional<QString> decodeUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> decodeCodePage(QByteArrayView bytes) {
    return decodeCp932(bytes);
}

} // namespace

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

Decoder RecordReader::defaultDecoder() {
    return decodeCodePage;
}

std::optional<QString> RecordReader::next() {
    const std::optional<QByteArrayView> record = nextBytes();
    if (!record)
        return std::nullopt;
    return decode(*record);
}

std::optional<QByteArrayView> RecordReader::nextBytes() {
    pos_ = skipBlanks(bytes_, pos_);
    if (pos_ >= bytes_.size())
        return std::nullopt;
    const std::optional<Token> token = tokenAt(bytes_, pos_);
    if (!token) {
        pos_ = bytes_.size();
        return std::nullopt;
    }
    if (token->quoted) {
        recordEnd_ = token->end;
        pos_ = skipLineEnd(bytes_, findLineEnd(bytes_, token->end));
    } else {
        pos_ = afterSeparator(bytes_, token->end);
        recordEnd_ = pos_;
    }
    return token->text;
}

std::optional<QString> RecordReader::decode(QByteArrayView record) const {
    // Most records of a year file are ASCII (the line records' markers and dates), which every
    // decoder of ours reads as it is: they need no converter.
    if (isAscii(record))
        return QString::fromLatin1(record);
    return decode_(record);
}

bool RecordReader::atEnd() const {
    return skipBlanks(bytes_, pos_) >= bytes_.size();
}

std::optional<QString> FieldReader::next() {
    while (pos_ < bytes_.size() && (isBlank(bytes_[pos_]) || isLineEnd(bytes_[pos_])))
        ++pos_;
    if (pos_ >= bytes_.size())
        return std::nullopt;
    const std::optional<Token> token = tokenAt(bytes_, pos_);
    if (!token) {
        pos_ = bytes_.size();
        return std::nullopt;
    }
    // Whatever stands between a closing quote and the separator is dropped, as a line reader would.
    pos_ = afterSeparator(bytes_, findSeparator(bytes_, token->end));
    return decodeCp932(token->text);
}

std::optional<qint64> FieldReader::nextNumber(qint64 min, qint64 max) {
    const std::optional<QString> field = next();
    if (!field)
        return std::nullopt;
    bool ok = false;
    const qint64 value = field->trimmed().toLongLong(&ok, 10);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

QString quotedRecord(const QString& text) {
    return QLatin1Char('"') + withoutDoubleQuotes(text) + QLatin1String("\"\r\n");
}

std::optional<QByteArray> readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool writeFileBytes(const QString& path, QByteArrayView bytes) {
    QSaveFile file(path);
    // Unbuffered, so that a short write (disk full, size limit) shows in write()'s count: Qt's
    // buffered flush reports a partly written file as complete and commit() would install it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeTextFile(const QString& path, const QString& text) {
    const std::optional<QByteArray> bytes = encodeCp932(text);
    return bytes && writeFileBytes(path, *bytes);
}

QString folderNotWritableMessage(const QString& folder) {
    return QStringLiteral("このフォルダにファイルを書き込めないため、Hibimoを起動できません。") +
           QLatin1Char('\r') + QDir::toNativeSeparators(folder) + QLatin1Char('\r') +
           QStringLiteral("フォルダへの書き込みが許可されているか、ディスクに空きがあるかを確認下さい。");
}

void removeLeftoverTemporaries(const QString& folder) {
    // The save's temporary is the file's own name and six random letters or digits.
    static const QRegularExpression ours(QStringLiteral(
        R"(^(HB\d{4,}\.hbd|HBHolyD\.dat|HBBirth\.dat|HB(HolyD|Birth)\.dat\.bak|Hibimo\.ini|.+\.ccf|HBShare\.id|HBExport\.ini|HbCalDav\.(ini|dat))\.[A-Za-z0-9]{6}$)"));
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        if (ours.match(name).hasMatch())
            QFile::remove(dir.filePath(name));
}

Decoder listFileDecoder(QByteArrayView bytes) {
    // Qt's validity check says what decodeUtf8 would without building the text.
    if (!isAscii(bytes) && bytes.isValidUtf8())
        return decodeUtf8;
    return decodeCodePage;
}

std::optional<ListFileText> readListBytes(QByteArrayView bytes) {
    const Decoder decode = listFileDecoder(bytes);
    // Some editors begin a UTF-8 file with a byte order mark; it is no part of the record.
    if (decode == decodeUtf8 && bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    RecordReader reader(bytes, decode);
    std::optional<QString> text = reader.next();
    if (!text)
        return std::nullopt;
    QByteArrayView rest = bytes.sliced(reader.recordEnd());
    while (!rest.isEmpty() && (isBlank(rest.front()) || isLineEnd(rest.front())))
        rest = rest.sliced(1);
    while (!rest.isEmpty() && (isBlank(rest.back()) || isLineEnd(rest.back())))
        rest.chop(1);
    // Shown, never stored: a byte that does not decode must not hide the rest from the user.
    const QString unread = decode(rest).value_or(QString::fromUtf8(rest));
    return ListFileText{std::move(*text), unread};
}

std::optional<ListFileText> readListFileText(const QString& path) {
    const std::optional<QByteArray> bytes = readFileBytes(path);
    return bytes ? readListBytes(*bytes) : std::nullopt;
}

std::optional<QString> readListFile(const QString& path) {
    std::optional<ListFileText> read = readListFileText(path);
    if (!read)
        return std::nullopt;
    return std::move(read->text);
}

bool writeListFile(const QString& path, const QString& text) {
    return writeTextFile(path, quotedRecord(text));
}

} // namespace hibimo
