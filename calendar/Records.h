#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace hibimo {

// Whether bytes are all ASCII, which every decoder of ours reads as it is.
bool isAscii(QByteArrayView bytes);

// Turns the bytes of one record or field into text; nothing when they cannot be decoded.
using Decoder = std::optional<QString> (*)(QByteArrayView);

// Reads quoted records from file bytes: leading blanks skipped; a quoted record runs to the next
// double quote (line breaks included) and the rest of its physical line is skipped; an unquoted record
// runs to the next comma or line end, trailing blanks removed. Each record is decoded on its own, so
// a byte that cannot be decoded spoils only the record holding it, and bytes no record reaches spoil
// nothing. The separators are ASCII bytes that never occur inside a code page 932 or UTF-8 character.
class RecordReader {
  public:
    explicit RecordReader(QByteArrayView bytes, Decoder decode = defaultDecoder())
        : bytes_(bytes), decode_(decode) {}
    // The next record; nothing at the end, at an unterminated quote or when the record cannot be
    // decoded.
    std::optional<QString> next();
    // The next record's bytes, not yet decoded; nothing at the end or at an unterminated quote.
    std::optional<QByteArrayView> nextBytes();
    // A record's bytes as next() decodes them.
    std::optional<QString> decode(QByteArrayView record) const;
    bool atEnd() const;
    // Where the last record's own bytes ended: after its closing quote, or at its separator.
    qsizetype recordEnd() const { return recordEnd_; }

  private:
    static Decoder defaultDecoder();
    QByteArrayView bytes_;
    Decoder decode_;
    qsizetype pos_ = 0;
    qsizetype recordEnd_ = 0;
};

// Reads the comma-separated fields of the settings and colour files, without regard to line ends.
class FieldReader {
  public:
    explicit FieldReader(QByteArrayView bytes) : bytes_(bytes) {}
    // The next field, quoted or not; nothing at the end or when the field cannot be decoded.
    std::optional<QString> next();
    // The next field as a number in [min, max]; nothing when missing, not a number or out of range.
    std::optional<qint64> nextNumber(qint64 min, qint64 max);

  private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};

// One quoted record: double quote, text (a double quote inside becomes "”"), double quote, CR LF.
QString quotedRecord(const QString& text);

// The bytes of a whole file; nothing when it cannot be opened or read.
std::optional<QByteArray> readFileBytes(const QString& path);

// Writes bytes through a temporary that replaces the file only when complete; false on failure.
bool writeFileBytes(const QString& path, QByteArrayView bytes);

// The message for a program folder in which nothing can be written (read-only, disk full).
QString folderNotWritableMessage(const QString& folder);

// Removes the temporaries a save of ours left behind when it was killed between writing its
// temporary and renaming it ("HB2024.hbd.OPBrRV"); nothing else in the folder is touched.
void removeLeftoverTemporaries(const QString& folder);

// Writes text as code page 932 through a temporary that replaces the file only when complete.
// False when anything failed; the old file is then untouched.
bool writeTextFile(const QString& path, const QString& text);

// A list file's one record, and whatever stands after it (a line added after the closing quote
// with a text editor), which no reader takes: the user must be told of it.
struct ListFileText {
    QString text;
    QString unread; // without the blanks and line breaks around it
};
// Reads the first record of a one-record list file; nothing when missing, unreadable or empty.
// A file saved as UTF-8 by a text editor is read as such (see listFileDecoder).
std::optional<ListFileText> readListBytes(QByteArrayView bytes);
std::optional<ListFileText> readListFileText(const QString& path);
std::optional<QString> readListFile(const QString& path);
// How a list file's bytes are decoded: UTF-8 when they are valid UTF-8 holding non-ASCII text
// (Japanese in code page 932 practically never is), code page 932 otherwise.
Decoder listFileDecoder(QByteArrayView bytes);
// Writes text as the one quoted record of a list file.
bool writeListFile(const QString& path, const QString& text);

} // namespace hibimo
