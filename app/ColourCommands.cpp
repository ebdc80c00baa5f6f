#include "app/ColourCommands.h"

#include "app/HbmFrm.h"
#include "calendar/Cp932.h"
#include "calendar/YearFile.h"
#include "colours/ColourScheme.h"
#include "colours/HbmColor.h"
#include "dialogs/HbmModule.h"
#include "toolkit/Interaction.h"

#include <QFileInfo>

namespace hibimo {

const QString ColourCommands::Reminder =
    QStringLiteral("最終的に配色が決まればカレンダー画面左下の[Sav]をクリックし適当な名前") +
    QStringLiteral("\r\r") +
    QStringLiteral("をつけて セーブ下さい。これを実行しないと次回以降に反映されません。");
const QString ColourCommands::SaveFilter = QStringLiteral("配色設定File *.ccf|*.ccf|");
const QString ColourCommands::LoadFilter = QStringLiteral("配色設定File *.ccf|*.ccf|All *.*|*.*|");

namespace {

// Characters of a path that the settings and colour files cannot carry: a stored path with them
// would lead nowhere at the next start.
QString unstorableInPath(const QString& path) {
    QString refused = unencodableCp932(path);
    if (path.contains(QLatin1Char('"')))
        refused += QLatin1Char('"');
    return refused;
}

// The scheme's own file, so that Sav replaces it after the dialog's question; a name saved without
// its suffix before is proposed with it.
QString proposedColourFile(const QString& colorFile) {
    if (colorFile.isEmpty())
        return QStringLiteral("Hibimo.ccf");
    if (QFileInfo(colorFile).suffix().compare(QLatin1String("ccf"), Qt::CaseInsensitive) == 0)
        return colorFile;
    return colorFile + QStringLiteral(".ccf");
}

QString folderUnstorableMessage(const QString& characters) {
    return QStringLiteral("このプログラムのフォルダ名には、ファイルに保存できない文字があります: ") +
           characters + QStringLiteral("\r") +
           QStringLiteral("配色設定ファイルの場所を記録できないため、次回の起動では既定の配色になります。") +
           QStringLiteral("\r") + QStringLiteral("フォルダ名を英数字などに変えて下さい。");
}

} // namespace

QString ColourCommands::askFileName(bool save) {
    HbmModule& m = frm_.m;
    for (;;) {
        const Interaction::FileRequest request(save ? SaveFilter : LoadFilter, QStringLiteral("ccf"),
                                               proposedColourFile(m.colours.ColorFile));
        const QString name = save ? m.ui.saveFileName(request) : m.ui.openFileName(request);
        const QString refused = unstorableInPath(name);
        if (refused.isEmpty())
            return name;
        m.ui.message(unstorableCharactersMessage(refused));
    }
}

void ColourCommands::connectSignals() {
    for (int k = 0; k < int(frm_.LblColor.size()); ++k)
        QObject::connect(frm_.LblColor[k], &Label::Click, &frm_, [this, k] { LblColor_Click(k); });
}

void ColourCommands::LblColor_Click(int Index) {
    HbmModule& m = frm_.m;
    PCwrite(m, m.LoadedYear);
    if (const QString refused = unstorableInPath(m.folder); !refused.isEmpty())
        m.ui.message(folderUnstorableMessage(refused));
    switch (Index) {
    case 0:
        editColours();
        break;
    case 1:
        saveScheme();
        break;
    case 2:
        loadScheme();
        break;
    default:
        break;
    }
}

void ColourCommands::editColours() {
    HbmModule& m = frm_.m;
    {
        // Made afresh for every use: the editor keeps nothing of its own between uses.
        HbmColor editor(m.colours, m.ui);
        editor.setOpener(&frm_);
        m.ui.showModal(editor);
    }
    m.ui.message(Reminder);
}

void ColourCommands::saveScheme() {
    HbmModule& m = frm_.m;
    const QString name = askFileName(true);
    if (name.isEmpty())
        return;
    m.colours.ColorFile = name;
    ColorSave(m, m.colours);
}

void ColourCommands::loadScheme() {
    HbmModule& m = frm_.m;
    const QString name = askFileName(false);
    if (name.isEmpty())
        return;
    m.colours.ColorFile = name;
    // A file that fails half way has still set the values read before the failure: show them too.
    ColorLoad(m, m.colours);
    frm_.F_C_disp(m.CurYear, m.CurMonth);
}

} // namespace hibimo
