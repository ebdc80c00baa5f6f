#include "dialogs/HbmExport.h"

#include "calendar/CalendarModule.h"
#include "dialogs/ShareKindBoxes.h"
#include "toolkit/Controls.h"
#include "toolkit/DialogKeys.h"
#include "toolkit/Fonts.h"

#include <QButtonGroup>
#include <QLabel>

namespace hibimo {

HbmExport::HbmExport(CalendarModule& module) : m(module) {
    setObjectName(QStringLiteral("HbmExport"));
    setWindowTitle(QStringLiteral("予定の書き出し (iCalendar)"));
    setClientSizeTwips(4950, 4650);
    setFont(msFont(MsGothic, 9));

    auto caption = [this](const QString& text, int top) {
        auto* l = new QLabel(text, this);
        placeTwips(*l, 180, top, 4500, 240);
    };
    caption(QStringLiteral("書き出す年"), 120);
    auto* years = new QButtonGroup(this);
    const std::array<QString, 2> yearTexts{QStringLiteral("表示中の年(&Y)"),
                                           QStringLiteral("年ファイルのある全ての年(&A)")};
    for (int k = 0; k < 2; ++k) {
        OptYears[k] = new QRadioButton(yearTexts[k], this);
        OptYears[k]->setObjectName(QStringLiteral("OptYears_%1").arg(k));
        placeTwips(*OptYears[k], 360, 390 + 285 * k, 4400, 270);
        years->addButton(OptYears[k], k);
    }
    caption(QStringLiteral("書き出す内容"), 1080);
    for (int k = 0; k < ShareKindCount; ++k) {
        ChkKind[k] = new QCheckBox(shareKindBoxText(k), this);
        ChkKind[k]->setObjectName(QStringLiteral("ChkKind_%1").arg(k));
        placeTwips(*ChkKind[k], 360, 1350 + 300 * k, 4400, 270);
    }
    const std::array<QString, 2> buttonTexts{QStringLiteral("O K"), QStringLiteral("キャンセル")};
    for (int k = 0; k < 2; ++k) {
        ComExport[k] = new QPushButton(buttonTexts[k], this);
        ComExport[k]->setObjectName(QStringLiteral("ComExport_%1").arg(k));
        ComExport[k]->setFont(msFont(MsPGothic, 9));
        placeTwips(*ComExport[k], 1200 + 1800 * k, 3930, 1500, 420);
        connect(ComExport[k], &QPushButton::clicked, this, [this, k] { ComExport_Click(k); });
    }
    installDialogKeys(*this, ComExport[0]);
}

void HbmExport::Form_Load() {
    choices = readExportChoices(m.folder);
    accepted = false;
    OptYears[choices.years == ShareYears::AllWithFile ? 1 : 0]->setChecked(true);
    for (int k = 0; k < ShareKindCount; ++k)
        ChkKind[k]->setChecked(isChosen(choices.kinds, kindAt(k)));
}

void HbmExport::ComExport_Click(int Index) {
    if (Index == 0) {
        choices.years = OptYears[1]->isChecked() ? ShareYears::AllWithFile : ShareYears::Loaded;
        for (int k = 0; k < ShareKindCount; ++k)
            choices.kinds.*shareKindField(kindAt(k)) = ChkKind[k]->isChecked();
        accepted = true;
    }
    close();
}

} // namespace hibimo
