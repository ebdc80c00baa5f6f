#pragma once

#include "app/HbmFrm.h"
#include "calendar/HbmModule.h"
#include "toolkit/ScriptedInteraction.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace hibimo::test {

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
    // Writes a list file (one quoted record) in code page 932.
    void writeList(const QString& name, const QString& text) const;
};

// Opens the main window over the fixture's folder as the program does: Form_Load, show, the first
// Form_Activate (year loading and the first display). Messages go to the fixture's script.
std::unique_ptr<HbmFrm> startMainWindow(Fixture& fx);

// CR LF joined lines.
QString crlf(const QStringList& lines);

} // namespace hibimo::test
