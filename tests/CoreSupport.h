#pragma once

#include "calendar/Cp932.h"
#include "colours/ColourMessages.h"
#include "dialogs/HbmModule.h"
#include "generation/GenerationMessages.h"
#include "tests/ScriptedInteraction.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

// GoogleTest prints a failing QString as its text, not as its code units.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace hibimo::test {

// Test texts are always storable; a failed conversion is a fault of the test itself.
inline QByteArray cp932(const QString& text) {
    return encodeCp932(text).value();
}

// Message texts that the tests of more than one area check.
using generationText::neighbourCreation;
using generationText::yearCreation;

// A module over a fresh temporary program folder with a scripted interaction and a fixed today.
struct Fixture {
    QTemporaryDir dir;
    ScriptedInteraction ui;
    std::unique_ptr<HbmModule> module;

    explicit Fixture(QDate today = QDate(2024, 12, 15));
    HbmModule& m() { return *module; }
    QString path(const QString& name) const { return dir.filePath(name); }

    // Raw bytes of a file in the program folder (empty when missing).
    QByteArray bytes(const QString& name) const;
    // Writes raw bytes / code page 932 text into the program folder.
    void writeBytes(const QString& name, const QByteArray& data) const;
    void writeText(const QString& name, const QString& text) const;
    // Small lists, so that generation shows no list messages.
    void writeLists(const QString& holidays = "**01/01元旦\r\n**05/03憲法記念日\r\n*05/10記念日",
                    const QString& anniversaries = "*1972/05/20花子") const;
    // The tables of a year as a fresh start would read them from its file.
    std::unique_ptr<HbmModule> reread(const QString& year = "2024");
};

// The generated entries of a year in the order of the year file, joined by "|", with an anniversary
// list that generates nothing; nothing when the holidays are refused.
std::optional<QString> generated(QStringView holidays, int year);

// The rows of a published table kept beside the generation tests, without its comments.
QStringList tableRows(const QString& name);

// The records of code page 932 text.
QStringList records(const QByteArray& bytes);

} // namespace hibimo::test
