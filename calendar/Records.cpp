#include "calendar/Records.h"

#include "calendar/Cp932.h"

#include <QFile>
#include <QSaveFile>

namespace hibimo {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
bool isLineEnd(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

qsizetype skipBlanks(QStringView text, qsizetype pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

// Position after the line end that starts at pos (CR LF, CR or LF).
qsizetype skipLineEnd(QStringView text, qsizetype pos) {
    if (pos < text.size() && text[pos] == QLatin1Char('\r'))
        ++pos;
    if (pos < text.size() && text[pos] == QLatin1Char('\n'))
        ++pos;
    return pos;
}

qsizetype findLineEnd(QStringView text, qsizetype pos) {
    while (pos < text.size() && !isLineEnd(text[pos]))
        ++pos;
    return pos;
}

QString trimmedRight(QStringView text) {
    qsizetype end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    return text.first(end).toString();
}

} // namespace

std::optional<QString> RecordReader::next() {
    pos_ = skipBlanks(text_, pos_);
    if (pos_ >= text_.size())
        return std::nullopt;
    if (text_[pos_] == QLatin1Char('"')) {
        const qsizetype close = text_.indexOf(QLatin1Char('"'), pos_ + 1);
        if (close < 0) {
            pos_ = text_.size();
            return std::nullopt;
        }
        QString record = text_.mid(pos_ + 1, close - pos_ - 1).toString();
        pos_ = skipLineEnd(text_, findLineEnd(text_, close + 1));
        return record;
    }
    qsizetype end = pos_;
    while (end < text_.size() && text_[end] != QLatin1Char(',') && !isLineEnd(text_[end]))
        ++end;
    QString record = trimmedRight(text_.mid(pos_, end - pos_));
    pos_ = end < text_.size() && text_[end] == QLatin1Char(',') ? end + 1 : skipLineEnd(text_, end);
    return record;
}

bool RecordReader::atEnd() const {
    return skipBlanks(text_, pos_) >= text_.size();
}

std::optional<QString> FieldReader::next() {
    while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_])))
        ++pos_;
    if (pos_ >= text_.size())
        return std::nullopt;
    QString field;
    qsizetype end;
    if (text_[pos_] == QLatin1Char('"')) {
        const qsizetype close = text_.indexOf(QLatin1Char('"'), pos_ + 1);
        if (close < 0) {
            pos_ = text_.size();
            return std::nullopt;
        }
        field = text_.mid(pos_ + 1, close - pos_ - 1).toString();
        end = skipBlanks(text_, close + 1);
    } else {
        end = pos_;
        while (end < text_.size() && text_[end] != QLatin1Char(',') && !isLineEnd(text_[end]))
            ++end;
        field = trimmedRight(text_.mid(pos_, end - pos_));
    }
    // Whatever stands between a closing quote and the separator is dropped, as a line reader would.
    while (end < text_.size() && text_[end] != QLatin1Char(',') && !isLineEnd(text_[end]))
        ++end;
    pos_ = end < text_.size() && text_[end] == QLatin1Char(',') ? end + 1 : skipLineEnd(text_, end);
    return field;
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

std::optional<QString> readTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decodeCp932(bytes);
}

bool writeTextFile(const QString& path, const QString& text) {
    QSaveFile file(path);
    // Unbuffered, so that a short write (disk full, size limit) shows in write()'s count: Qt's
    // buffered flush reports a partly written file as complete and commit() would install it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = encodeCp932(text);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QString> readListFile(const QString& path) {
    const std::optional<QString> text = readTextFile(path);
    if (!text)
        return std::nullopt;
    RecordReader reader(*text);
    return reader.next();
}

bool writeListFile(const QString& path, const QString& text) {
    return writeTextFile(path, quotedRecord(text));
}

} // namespace hibimo
