#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace hibimo {

// Reads quoted records from decoded file text: leading blanks skipped; a quoted record runs to the
// next double quote (line breaks included) and the rest of its physical line is skipped; an unquoted
// record runs to the next comma or line end, trailing blanks removed.
class RecordReader {
public:
    explicit RecordReader(QStringView text) : text_(text) {}
    // The next record; nothing at the end of the text (or an unterminated quote).
    std::optional<QString> next();
    bool atEnd() const;

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

// Reads the comma-separated fields of the settings and colour files, without regard to line ends.
class FieldReader {
public:
    explicit FieldReader(QStringView text) : text_(text) {}
    // The next field, quoted or not; nothing at the end.
    std::optional<QString> next();
    // The next field as a number in [min, max]; nothing when missing, not a number or out of range.
    std::optional<qint64> nextNumber(qint64 min, qint64 max);

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

// One quoted record: double quote, text (a double quote inside becomes "”"), double quote, CR LF.
QString quotedRecord(const QString& text);

// Reads a whole file as code page 932 text; nothing when it cannot be opened or decoded.
std::optional<QString> readTextFile(const QString& path);

// Writes text as code page 932 through a temporary that replaces the file only when complete.
// False when anything failed; the old file is then untouched.
bool writeTextFile(const QString& path, const QString& text);

// Reads the first record of a one-record list file; nothing when missing, unreadable or empty.
std::optional<QString> readListFile(const QString& path);
// Writes text as the one quoted record of a list file.
bool writeListFile(const QString& path, const QString& text);

} // namespace hibimo
