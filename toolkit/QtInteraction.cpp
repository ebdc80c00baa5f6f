#include "toolkit/QtInteraction.h"

#include "toolkit/Colours.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"

#include <QApplication>
#include <QColorDialog>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace hibimo {

QtInteraction::QtInteraction(QString programFolder) : folder_(std::move(programFolder)) {}

void QtInteraction::message(const QString& text, const QString& title) {
    if (ending())
        return;
    ModalWait wait(*this);
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? AppTitle : title, toWidgetText(text),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtInteraction::endProgram() {
    std::fflush(nullptr);
    std::_Exit(1);
}

QString QtInteraction::prompt(const QString& prompt, const QString& title, const QString& defaultText) {
    if (ending())
        return {};
    ModalWait wait(*this);
    bool ok = false;
    const QString answer =
        QInputDialog::getText(nullptr, title, toWidgetText(prompt), QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString QtInteraction::password(const QString& text, const QString& title) {
    if (ending())
        return {};
    ModalWait wait(*this);
    bool ok = false;
    const QString answer =
        QInputDialog::getText(nullptr, title, toWidgetText(text), QLineEdit::Password, {}, &ok);
    return ok ? answer : QString();
}

std::optional<int> QtInteraction::chooseColour(int initial, const QString& title) {
    if (ending())
        return std::nullopt;
    ModalWait wait(*this);
    const QColor c = QColorDialog::getColor(colourFromBgr(initial), nullptr, title);
    if (!c.isValid())
        return std::nullopt;
    return bgrFromColour(c);
}

QString QtInteraction::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            continue;
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << parts[i] + QStringLiteral(" (") + patterns + QStringLiteral(")");
    }
    return entries.join(QStringLiteral(";;"));
}

bool QtInteraction::confirm(const QString& text) {
    if (ending())
        return false;
    ModalWait wait(*this);
    QMessageBox box(QMessageBox::Question, AppTitle, toWidgetText(text), QMessageBox::Yes | QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtInteraction::fileName(const FileRequest& request, bool save) {
    if (ending())
        return {};
    ModalWait wait(*this);
    QString proposal = request.proposedName;
    if (QFileInfo(proposal).isRelative())
        proposal = QDir(lastFolders_.value(request.suffix, folder_)).filePath(proposal);
    QFileDialog dialog(nullptr, AppTitle, QFileInfo(proposal).absolutePath(), qtFilter(request.filter));
    // Qt's own dialog adds the default suffix before it asks whether to replace a file; a platform
    // dialog may ask about the name as typed.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.suffix);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(QFileInfo(proposal).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString name = dialog.selectedFiles().constFirst();
    lastFolders_.insert(request.suffix, QFileInfo(name).absolutePath());
    return name;
}

QString QtInteraction::openFileName(const FileRequest& request) {
    return fileName(request, false);
}

QString QtInteraction::saveFileName(const FileRequest& request) {
    return fileName(request, true);
}

void QtInteraction::runModal(QWidget& window) {
    if (auto* dialog = qobject_cast<QDialog*>(&window)) {
        dialog->exec();
        return;
    }
    auto* form = qobject_cast<Form*>(&window);
    window.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    if (form)
        QObject::connect(form, &Form::closed, &loop, &QEventLoop::quit);
    window.show();
    window.raise();
    window.activateWindow();
    if (window.isVisible())
        loop.exec();
}

void QtInteraction::cancelModalWindows() {
    // The innermost first; each closing ends the event loop its caller waits in. A window that refuses
    // to close is not asked twice.
    QList<QWidget*> asked;
    while (QWidget* window = QApplication::activeModalWidget()) {
        if (asked.contains(window))
            break;
        asked << window;
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else
            window->close();
    }
}

namespace {

// A file name for the printout that names the window and the time, never one that is already there.
QString printoutName(const QWidget& window, const QString& folder) {
    QString caption = window.windowTitle().trimmed();
    if (caption.isEmpty())
        caption = AppTitle;
    for (QChar bad : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')})
        caption.replace(bad, QLatin1Char('_'));
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QDir dir(folder);
    QString name = dir.filePath(caption + QLatin1Char(' ') + stamp + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = dir.filePath(caption + QLatin1Char(' ') + stamp + QStringLiteral("-%1.pdf").arg(n));
    return name;
}

} // namespace

QString printWidget(QWidget& window, const QString& pdfFolder) {
    QPrinter printer(QPrinter::HighResolution);
    QString pdfName;
    if (QPrinterInfo::defaultPrinter().isNull()) {
        pdfName = printoutName(window, pdfFolder);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfName);
    }
    printer.setDocName(window.windowTitle());
    printer.setPageOrientation(window.width() > window.height() ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return pdfName;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale =
        std::min(page.width() / double(window.width()), page.height() / double(window.height()));
    // Rendered straight onto a printer, a widget becomes one bitmap at the printer's resolution (megabytes,
    // seconds). Recorded as a picture first and played back, text stays text and lines stay lines.
    QPicture picture;
    {
        QPainter recorder(&picture);
        window.render(&recorder, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    // Playback converts the picture's resolution to the printer's; the scale above already did that.
    const double playback = double(picture.logicalDpiX()) / printer.logicalDpiX();
    painter.scale(scale * playback, scale * playback);
    painter.drawPicture(0, 0, picture);
    painter.end();
    return pdfName;
}

void QtInteraction::printWindow(QWidget& window) {
    const QString pdf = printWidget(window, folder_);
    if (pdf.isEmpty())
        return;
    if (QFileInfo::exists(pdf))
        message(QStringLiteral("プリンターが見つからないため、次のファイルに保存しました。") +
                QLatin1Char('\r') + pdf);
    else
        message(QStringLiteral("プリンターが見つからず、次のファイルにも保存できませんでした。") +
                QLatin1Char('\r') + pdf);
}

} // namespace hibimo
