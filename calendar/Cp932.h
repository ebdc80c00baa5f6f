#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace hibimo {

// Code page 932 as the desktop platform writes it ("～" U+FF5E, "－" U+FF0D, "①", half-width kana).

// Decodes file bytes; nothing when the bytes are not valid code page 932.
std::optional<QString> decodeCp932(QByteArrayView bytes);

// Encodes text for a file. A character the code page cannot carry becomes "?", so a file is never
// unreadable; callers that take user input check with unencodableCp932 first. Nothing when the
// system has no converter for the code page at all: no text can be written then.
std::optional<QByteArray> encodeCp932(const QString& text);

// Whether the system can convert between code page 932 and Unicode (a minimal system or a bundle
// may lack glibc's conversion modules). Without it no file can be read or written.
bool cp932Available();

// The message for a system without the converter, shown once at start before anything is touched.
QString missingConverterMessage();

// Makes the converters fail to open, as on a system without them, so tests can reach that case.
void simulateMissingCp932Converter(bool missing);

// The distinct characters of text that code page 932 cannot carry, in order of appearance
// (empty when everything can be stored).
QString unencodableCp932(const QString& text);

// The message for characters a file cannot hold (shown where the user typed them).
QString unstorableCharactersMessage(const QString& characters);

// Text as it may be stored: a double quote becomes "”" (U+201D); the record form cannot carry it.
QString withoutDoubleQuotes(QString text);

} // namespace hibimo
