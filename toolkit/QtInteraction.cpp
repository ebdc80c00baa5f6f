#include "toolkit/QtInteraction.h"

#include "toolkit/Controls.h"
#include "toolkit/Form.h"

#include <QColorDialog>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdio>
#include <cstdlib>

namespace hibimo {

QtInteraction::QtInteraction(QString programFolder) : folder_(std::move(programFolder)) {}

void QtInteraction::message(const QString& text, const QString& title) {
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
    bool ok = false;
    const QString answer =
        QInputDialog::getText(nullptr, title, toWidgetText(prompt), QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

std::optional<int> QtInteraction::chooseColour() {
    const QColor c = QColorDialog::getColor(Qt::white, nullptr, AppTitle);
    if (!c.isValid())
        return std::nullopt;
    return c.red() | (c.green() << 8) | (c.blue() << 16);
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

QString QtInteraction::openFileName(const QString& filter) {
    const QString name = QFileDialog::getOpenFileName(nullptr, AppTitle, lastFileName_, qtFilter(filter));
    if (!name.isEmpty())
        lastFileName_ = name;
    return name;
}

QString QtInteraction::saveFileName(const QString& filter) {
    const QString name = QFileDialog::getSaveFileName(nullptr, AppTitle, lastFileName_, qtFilter(filter));
    if (!name.isEmpty())
        lastFileName_ = name;
    return name;
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

QString printWidget(QWidget& window, const QString& pdfFolder) {
    QPrinter printer(QPrinter::HighResolution);
    QString pdfName;
    if (QPrinterInfo::defaultPrinter().isNull()) {
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        QString caption = window.windowTitle();
        if (caption.isEmpty())
            caption = AppTitle;
        pdfName = QDir(pdfFolder).filePath(caption + QLatin1Char(' ') + stamp + QStringLiteral(".pdf"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfName);
    }
    printer.setDocName(window.windowTitle());
    printer.setPageOrientation(window.width() > window.height() ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return {};
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale =
        std::min(page.width() / double(window.width()), page.height() / double(window.height()));
    painter.scale(scale, scale);
    // Through a painter, text stays text in the output instead of one large image.
    window.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.end();
    return pdfName;
}

void QtInteraction::printWindow(QWidget& window) {
    const QString pdf = printWidget(window, folder_);
    if (!pdf.isEmpty())
        message(QStringLiteral("プリンターが見つからないため、次のファイルに保存しました。") +
                QLatin1Char('\r') + pdf);
}

} // namespace hibimo
