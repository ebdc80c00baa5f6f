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
// unreadable; callers that take user input check with unencodableCp932 first.
QByteArray encodeCp932(const QString& text);

// The distinct characters of text that code page 932 cannot carry, in order of appearance
// (empty when everything can be stored).
QString unencodableCp932(const QString& text);

// The message for characters a file cannot hold (shown where the user typed them).
QString unstorableCharactersMessage(const QString& characters);

// Text as it may be stored: a double quote becomes "”" (U+201D); the record form cannot carry it.
QString withoutDoubleQuotes(QString text);

} // namespace hibimo
