#include "app/ShareCommands.h"

#include "app/HbmFrm.h"
#include "calendar/Records.h"
#include "dialogs/HbmExport.h"
#include "sharing/FolderIdentity.h"
#include "sharing/YearEvents.h"
#include "toolkit/Interaction.h"

#include <QDir>
#include <QFileInfo>

namespace hibimo {

const QString ShareCommands::SaveFilter = QStringLiteral("iCalendar *.ics|*.ics|");

namespace {

QString choicesNotSavedMessage() {
    return QStringLiteral("書き出しの選択を記録できませんでした。次回は前の選択で始まります。");
}

QString notWrittenMessage(const QString& path) {
    return QStringLiteral("ファイル ") + QDir::toNativeSeparators(path) +
           QStringLiteral(" を書き込めませんでした。") + QStringLiteral("\r") +
           QStringLiteral("書き込み先のフォルダと空き容量を確認下さい。");
}

QString writtenMessage(const QString& path, std::size_t events) {
    return QStringLiteral("%1件の予定を書き出しました。").arg(events) + QStringLiteral("\r") +
           QDir::toNativeSeparators(path);
}

// The file dialog leaves the extension to the user; a calendar program only offers ".ics" files.
QString withIcsSuffix(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".ics") : path;
}

} // namespace

void ShareCommands::connectSignals() {
    QObject::connect(frm_.CmdExport, &QPushButton::clicked, &frm_, [this] { CmdExport_Click(); });
}

void ShareCommands::CmdExport_Click() {
    HbmModule& m = frm_.m;
    ExportChoices choices;
    {
        HbmExport dialog(m);
        dialog.setOpener(&frm_);
        dialog.Form_Load();
        dialog.centreOnScreen();
        if (!m.ui.showModal(dialog) || !dialog.accepted)
            return;
        choices = dialog.choices;
    }
    if (!writeExportChoices(m.folder, choices))
        m.ui.message(choicesNotSavedMessage());

    QString error;
    const QString folderId = folderIdentity(m.folder, &error);
    if (folderId.isEmpty()) {
        m.ui.message(error);
        return;
    }
    const CalendarResources resources = shareResources(m, choices.years, choices.kinds, folderId, &error);
    if (!error.isEmpty()) {
        m.ui.message(error);
        return;
    }
    const QString proposed = choices.years == ShareYears::Loaded
                                 ? QStringLiteral("Hibimo%1.ics").arg(m.LoadedYear.trimmed())
                                 : QStringLiteral("Hibimo.ics");
    const QString chosen = m.ui.saveFileName({SaveFilter, QStringLiteral("ics"), proposed});
    if (chosen.isEmpty())
        return;
    const QString path = withIcsSuffix(chosen);
    if (!writeFileBytes(path, icsCalendar(resources))) {
        m.ui.message(notWrittenMessage(path));
        return;
    }
    m.ui.message(writtenMessage(path, resources.size()));
}

} // namespace hibimo
