#include "app/AlmanacView.h"

#include "app/HbmFrm.h"
#include "calendar/Records.h"
#include "toolkit/Controls.h"
#include "toolkit/Interaction.h"

#include <QCheckBox>
#include <QDir>

namespace hibimo {

bool readAlmanacShown(const QString& folder) {
    const std::optional<QByteArray> bytes = readFileBytes(QDir(folder).filePath(ViewChoicesFileName));
    return bytes && bytes->startsWith("1");
}

bool writeAlmanacShown(const QString& folder, bool shown) {
    return writeTextFile(QDir(folder).filePath(ViewChoicesFileName),
                         shown ? QStringLiteral("1\r\n") : QStringLiteral("0\r\n"));
}

void AlmanacView::connectSignals() {
    QObject::connect(frm_.ChkAlmanac, &QCheckBox::clicked, &frm_, [this] { ChkAlmanac_Click(); });
}

void AlmanacView::Form_Load() {
    frm_.showAlmanac = readAlmanacShown(frm_.m.folder);
    frm_.ChkAlmanac->setChecked(frm_.showAlmanac);
    placeMarkBoxes();
}

void AlmanacView::ChkAlmanac_Click() {
    frm_.showAlmanac = frm_.ChkAlmanac->isChecked();
    if (!writeAlmanacShown(frm_.m.folder, frm_.showAlmanac))
        frm_.m.ui.message(QStringLiteral("表示の選択を記録できませんでした。次回は前の選択で始まります。"));
    placeMarkBoxes();
    frm_.F_C_disp(frm_.m.CurYear, frm_.m.CurMonth);
}

// The almanac stands between the day number and the mark box, which gives it the room of one mark
// character less; the box keeps its right edge and its height.
void AlmanacView::placeMarkBoxes() {
    const int left = frm_.showAlmanac ? 2565 : 2145;
    const int width = frm_.showAlmanac ? 195 : 615;
    for (int i = 0; i < 42; ++i)
        placeTwips(*frm_.Text5[i], left + 1200 * (i % 7), 810 + 1050 * (i / 7), width, 210);
}

} // namespace hibimo
