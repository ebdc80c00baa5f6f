#include "app/HelpPrint.h"

#include "app/HbmFrm.h"
#include "dialogs/HbmModule.h"
#include "toolkit/Interaction.h"

namespace hibimo {

const QString HelpPrint::Usage =
    QStringLiteral("(1)休業日や出張、旅行などのマークをカレンダーの日付の右方にDblClickで入力できます。") +
    QStringLiteral("\r") +
    QStringLiteral("   休業日は ◆、旅行日は 旅 などのマークや１文字を使うと便利です。") +
    QStringLiteral("\r\r") +
    QStringLiteral(
        "(2)日付枠の下の枠(祝祭日など枠)および 最下の枠(誕生日など枠)にもDblClickで入力できます。") +
    QStringLiteral("\r") + QStringLiteral("   子供の運動会や旅行先などはこの枠に入力するとよいでしょう。") +
    QStringLiteral("\r") +
    QStringLiteral("   文が長く枠からはみ出して隠れていてもクリックすると出てきます。");

void HelpPrint::connectSignals() {
    for (int k = 1; k < int(frm_.Label6.size()); ++k)
        QObject::connect(frm_.Label6[k], &Label::Click, &frm_, [this, k] { Label6_Click(k); });
    QObject::connect(frm_.lblPrintForm, &Label::Click, &frm_, [this] { lblPrintForm_Click(); });
}

void HelpPrint::Label6_Click(int Index) {
    (void)Index;
    frm_.m.ui.message(Usage);
}

void HelpPrint::lblPrintForm_Click() {
    frm_.m.ui.printWindow(frm_);
}

} // namespace hibimo
