#include "colours/ColourCommands.h"

#include "app/HbmFrm.h"
#include "calendar/HbmModule.h"
#include "calendar/YearFile.h"
#include "colours/ColourScheme.h"
#include "colours/HbmColor.h"
#include "toolkit/Interaction.h"

namespace hibimo {

const QString ColourCommands::Reminder =
    QStringLiteral("最終的に配色が決まればカレンダー画面左下の[Sav]をクリックし適当な名前") +
    QStringLiteral("\r\r") +
    QStringLiteral("をつけて セーブ下さい。これを実行しないと次回以降に反映されません。");
const QString ColourCommands::SaveFilter = QStringLiteral("配色設定File *.ccf|*.ccf|");
const QString ColourCommands::LoadFilter = QStringLiteral("配色設定File *.ccf|*.ccf|All *.*|*.*|");

void ColourCommands::connectSignals() {
    for (int k = 0; k < int(frm_.LblColor.size()); ++k)
        QObject::connect(frm_.LblColor[k], &Label::Click, &frm_, [this, k] { LblColor_Click(k); });
}

void ColourCommands::LblColor_Click(int Index) {
    HbmModule& m = frm_.m;
    if (PCwrite(m, m.LoadedYear))
        m.LoadedYearChanged = false;
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
        HbmColor editor(m);
        editor.setOpener(&frm_);
        m.ui.showModal(editor);
    }
    m.ui.message(Reminder);
}

void ColourCommands::saveScheme() {
    HbmModule& m = frm_.m;
    const QString name = m.ui.saveFileName(SaveFilter);
    if (name.isEmpty())
        return;
    m.ColorFile = name;
    ColorSave(m);
}

void ColourCommands::loadScheme() {
    HbmModule& m = frm_.m;
    const QString name = m.ui.openFileName(LoadFilter);
    if (name.isEmpty())
        return;
    m.ColorFile = name;
    // A file that fails half way has still set the values read before the failure: show them too.
    ColorLoad(m);
    frm_.F_C_disp(m.CurYear, m.CurMonth);
}

} // namespace hibimo
