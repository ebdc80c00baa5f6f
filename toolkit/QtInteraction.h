#pragma once

#include "toolkit/Interaction.h"

#include <QHash>
#include <QString>

namespace hibimo {

// The Interaction of the real program: Qt's message box, prompt, colour and file dialogs and printer.
class QtInteraction : public Interaction {
  public:
    // Printouts go to a PDF in this folder when the system has no printer.
    explicit QtInteraction(QString programFolder);

    void message(const QString& text, const QString& title = {}) override;
    [[noreturn]] void endProgram() override;
    QString prompt(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString password(const QString& text, const QString& title) override;
    std::optional<int> chooseColour(int initial, const QString& title) override;
    bool confirm(const QString& text) override;
    QString openFileName(const FileRequest& request) override;
    QString saveFileName(const FileRequest& request) override;
    void printWindow(QWidget& window) override;

    // The file dialogs' filter for a "|"-separated list of descriptions and patterns.
    static QString qtFilter(const QString& filter);

  protected:
    void runModal(QWidget& window) override;
    void cancelModalWindows() override;

  private:
    QString fileName(const FileRequest& request, bool save);

    QString folder_;
    // The folder last used for each suffix: a colour file's place is never proposed for an export.
    QHash<QString, QString> lastFolders_;
};

// Draws a window's client area, as shown, scaled to fit the page of a printer or PDF writer.
// Returns the name of the PDF meant for the output when there is no printer (empty when printed); the
// file is missing when it could not be written.
QString printWidget(QWidget& window, const QString& pdfFolder);

} // namespace hibimo
