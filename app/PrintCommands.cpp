#include "app/PrintCommands.h"

#include "app/HbmFrm.h"
#include "calendar/JapaneseEra.h"
#include "dialogs/HbmModule.h"
#include "generation/Lunisolar.h"
#include "toolkit/Interaction.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>

namespace hibimo {

namespace {

// An entry's shown text as paper lines: joined holiday names hold one colon per join after the key.
QStringList entryLines(const QString& entry) {
    QString text = entry.mid(5);
    while (text.startsWith(QLatin1Char(':')))
        text.remove(0, 1);
    return text.isEmpty() ? QStringList{} : text.split(QStringLiteral("\r\n"));
}

QStringList noteLines(const QString& note) {
    return note.isEmpty() ? QStringList{} : note.split(QStringLiteral("\r\n"));
}

bool isRedDay(const HbmModule& m, int m0, int d) {
    const QString& mark = m.DayItem[m0][d][2];
    return mark.size() > 5 && mark[5] == QLatin1Char('#');
}

QColor numberColour(const HbmModule& m, const QDate& date, bool red) {
    if (red)
        return inkOnPaper(m.colours.ColHolidayDateFore);
    const int weekday = date.dayOfWeek() % 7;
    return inkOnPaper(weekday == 0   ? m.colours.ColSunDateFore
                      : weekday == 6 ? m.colours.ColSatDateFore
                                     : m.colours.ColWeekdayDateFore);
}

PageDay pageDay(const HbmModule& m, const QDate& date, bool inMonth, const PrintChoices& choices,
                const PageSources& sources) {
    PageDay day;
    day.date = date;
    day.inMonth = inMonth;
    if (sources.almanacOf)
        day.almanac = sources.almanacOf(date);
    const int m0 = date.month() - 1;
    const int d = date.day();
    if (!inMonth) {
        day.numberColour = numberColour(m, date, false);
        return day;
    }
    const auto& items = m.DayItem[m0][d];
    day.numberColour = numberColour(m, date, isRedDay(m, m0, d));
    day.mark = items[2].mid(6);
    day.lines << entryLines(items[0]) << noteLines(m.PubLine[m0][d - 1]) << entryLines(items[1]);
    if (choices.privateNotes)
        day.lines << noteLines(m.PrivLine[m0][d - 1]);
    return day;
}

QString titleWithEra(const QString& title, int year, const PageSources& sources) {
    const QString era = sources.eraOfYear ? sources.eraOfYear(year) : QString();
    return era.isEmpty() ? title : title + QStringLiteral("　") + era;
}

MonthPageData monthDays(const HbmModule& m, int year, int month, const PrintChoices& choices,
                        const PageSources& sources) {
    MonthPageData page;
    const QDate first(year, month, 1);
    const QDate start = first.addDays(-(first.dayOfWeek() % 7));
    const int days = 7 * weeksOfMonth(year, month);
    for (int k = 0; k < days; ++k) {
        const QDate date = start.addDays(k);
        page.days.push_back(pageDay(m, date, date.month() == month, choices, sources));
    }
    page.otherMonthFill = inkOnPaper(m.colours.ColOtherMonthBack);
    page.sundayColour = inkOnPaper(m.colours.ColSunDateFore);
    page.saturdayColour = inkOnPaper(m.colours.ColSatDateFore);
    return page;
}

QString pdfName(int year, int month, const PrintChoices& choices) {
    return choices.layout == PrintChoices::Layout::Year
               ? QStringLiteral("Hibimo%1.pdf").arg(year)
               : QStringLiteral("Hibimo%1-%2.pdf").arg(year).arg(month, 2, 10, QLatin1Char('0'));
}

// Where a printout went when there was no printer; a file left from before is no proof of this one.
void reportPdf(HbmModule& m, const QString& pdf, const QDateTime& since) {
    const QFileInfo written(pdf);
    const QString where = QLatin1Char('\r') + QDir::toNativeSeparators(pdf);
    if (written.exists() && written.lastModified() >= since)
        m.ui.message(QStringLiteral("プリンターが見つからないため、次のファイルに保存しました。") + where);
    else
        m.ui.message(QStringLiteral("プリンターが見つからず、次のファイルにも保存できませんでした。") +
                     where);
}

} // namespace

MonthPageData monthPageOf(const HbmModule& m, int year, int month, const PrintChoices& choices,
                          const PageSources& sources) {
    MonthPageData page = monthDays(m, year, month, choices, sources);
    page.title = titleWithEra(QStringLiteral("%1年%2月").arg(year).arg(month), year, sources);
    page.memo = m.DayItem[month - 1][0][0].mid(5);
    return page;
}

YearPageData yearPageOf(const HbmModule& m, int year, const PageSources& sources) {
    YearPageData page;
    page.title = titleWithEra(QStringLiteral("%1年").arg(year), year, sources);
    for (int k = 0; k < 12; ++k) {
        // Only red days' names: a year page has no room for notes, nor a reason to show them.
        MonthPageData& month = page.months[k] = monthDays(m, year, k + 1, {}, {});
        month.title = QStringLiteral("%1月").arg(k + 1);
        for (PageDay& day : month.days)
            day.lines = day.inMonth && isRedDay(m, k, day.date.day())
                            ? entryLines(m.DayItem[k][day.date.day()][0])
                            : QStringList{};
    }
    return page;
}

void printPages(QPrinter& printer, const HbmModule& m, int year, int month, const PrintChoices& choices,
                const PageSources& sources) {
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRectF area =
        printer.pageLayout()
            .paintRectPixels(printer.resolution())
            .translated(-printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    const Page page = choices.layout == PrintChoices::Layout::Year
                          ? layoutYearPage(yearPageOf(m, year, sources), area, printer)
                          : layoutMonthPage(monthPageOf(m, year, month, choices, sources), area, printer);
    paintPage(painter, page);
}

PrintCommands::PrintCommands(HbmFrm& frm) : frm_(frm) {
    sources.eraOfYear = warekiYearText;
    sources.almanacOf = almanacText;
}

void PrintCommands::connectSignals() {
    QObject::connect(frm_.CmdPrint, &QPushButton::clicked, &frm_, [this] { CmdPrint_Click(); });
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), &frm_);
    QObject::connect(shortcut, &QShortcut::activated, &frm_, [this] { CmdPrint_Click(); });
}

namespace {

// The preview's own controls: which page, and whether private notes go on it.
struct ChoiceControls {
    QComboBox* layout = nullptr;
    QCheckBox* privateNotes = nullptr;
};

ChoiceControls addChoiceControls(QPrintPreviewDialog& preview, const PrintChoices& choices) {
    ChoiceControls controls;
    controls.layout = new QComboBox(&preview);
    controls.layout->setObjectName(QStringLiteral("PrintLayout"));
    controls.layout->addItems({QStringLiteral("月のページ"), QStringLiteral("年間カレンダー")});
    controls.layout->setCurrentIndex(choices.layout == PrintChoices::Layout::Year ? 1 : 0);
    controls.privateNotes = new QCheckBox(QStringLiteral("個人のメモも印刷"), &preview);
    controls.privateNotes->setObjectName(QStringLiteral("PrintPrivateNotes"));
    controls.privateNotes->setChecked(choices.privateNotes);
    controls.privateNotes->setEnabled(choices.layout == PrintChoices::Layout::Month);
    if (auto* bar = preview.findChild<QToolBar*>()) {
        // Ctrl+P again prints what the preview shows, as in the applications families know.
        for (QAction* action : bar->actions())
            if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print"))
                action->setShortcut(QKeySequence::Print);
        bar->addSeparator();
        bar->addWidget(controls.layout);
        bar->addWidget(controls.privateNotes);
    }
    return controls;
}

} // namespace

PageSources PrintCommands::shownSources() const {
    PageSources shown = sources;
    // Paper shows the almanac as the grid does: a family that keeps it off the screen keeps it off paper.
    if (!frm_.showAlmanac)
        shown.almanacOf = nullptr;
    return shown;
}

void PrintCommands::CmdPrint_Click() {
    HbmModule& m = frm_.m;
    PrintChoices choices = readPrintChoices(m.folder);
    const int year = m.CurYear;
    const int month = m.CurMonth;
    QPrinter printer(QPrinter::HighResolution);
    const bool toPdf = QPrinterInfo::defaultPrinter().isNull();
    auto namePdf = [&] {
        if (toPdf)
            printer.setOutputFileName(QDir(m.folder).filePath(pdfName(year, month, choices)));
    };
    if (toPdf)
        printer.setOutputFormat(QPrinter::PdfFormat);
    namePdf();
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Hibimo"));

    QPrintPreviewDialog preview(&printer, &frm_);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(QStringLiteral("印刷プレビュー"));
    // The main window's size shows a page too small to read and hides the page choices.
    if (QScreen* screen = frm_.screen())
        preview.resize(screen->availableGeometry().size() * 0.85);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) { printPages(*target, m, year, month, choices, shownSources()); });
    const ChoiceControls controls = addChoiceControls(preview, choices);
    auto refresh = [&] {
        choices.layout =
            controls.layout->currentIndex() == 1 ? PrintChoices::Layout::Year : PrintChoices::Layout::Month;
        choices.privateNotes = controls.privateNotes->isChecked();
        controls.privateNotes->setEnabled(choices.layout == PrintChoices::Layout::Month);
        namePdf();
        if (auto* widget = preview.findChild<QPrintPreviewWidget*>())
            widget->updatePreview();
    };
    QObject::connect(controls.layout, &QComboBox::currentIndexChanged, &preview, refresh);
    QObject::connect(controls.privateNotes, &QCheckBox::toggled, &preview, refresh);

    const QDateTime opened = QDateTime::currentDateTime().addSecs(-1);
    if (!m.ui.showModal(preview))
        return;
    if (!writePrintChoices(m.folder, choices))
        m.ui.message(QStringLiteral("印刷の選択を記録できませんでした。次回は前の選択で始まります。"));
    if (toPdf && preview.result() == QDialog::Accepted)
        reportPdf(m, printer.outputFileName(), opened);
}

} // namespace hibimo
