#include "app/DayCellEditing.h"

#include "app/HbmFrm.h"
#include "calendar/Cp932.h"
#include "dialogs/HbmInput.h"
#include "dialogs/HbmModule.h"
#include "toolkit/Interaction.h"

namespace hibimo {

namespace {

// A cell line holds six characters.
int linesFor(const QString& text) {
    return int(text.size() / 6) + 1;
}

} // namespace

DayCellEditing::DayCellEditing(HbmFrm& frm) : frm_(frm) {}

DayCellEditing::~DayCellEditing() = default;

void DayCellEditing::connectSignals() {
    for (int i = 0; i < 42; ++i) {
        QObject::connect(frm_.Text1[i], &CellBox::DblClick, &context_, [this, i] { Text1_DblClick(i); });
        QObject::connect(frm_.Text2[i], &CellBox::DblClick, &context_, [this, i] { Text2_DblClick(i); });
        QObject::connect(frm_.Text3[i], &CellBox::DblClick, &context_, [this, i] { Text3_DblClick(i); });
        QObject::connect(frm_.Text5[i], &CellBox::DblClick, &context_, [this, i] { Text5_DblClick(i); });
        QObject::connect(frm_.Text2[i], &CellBox::GotFocus, &context_, [this, i] { Text2_GotFocus(i); });
        QObject::connect(frm_.Text2[i], &CellBox::LostFocus, &context_, [this, i] { Text2_LostFocus(i); });
        QObject::connect(frm_.Text3[i], &CellBox::GotFocus, &context_, [this, i] { Text3_GotFocus(i); });
        QObject::connect(frm_.Text3[i], &CellBox::LostFocus, &context_, [this, i] { Text3_LostFocus(i); });
        QObject::connect(frm_.Text5[i], &CellBox::Click, &context_, [this, i] { Text5_Click(i); });
        QObject::connect(frm_.Text5[i], &CellBox::LostFocus, &context_, [this, i] { Text5_LostFocus(i); });
        QObject::connect(frm_.Text3[i], &CellBox::Change, &context_, [this, i] { Text3_Change(i); });
    }
}

HbmInput& DayCellEditing::memoDialog() {
    if (!input_)
        input_ = std::make_unique<HbmInput>(frm_.m.memo, frm_.m.ui);
    return *input_;
}

bool DayCellEditing::refusedAsOtherMonth(int i) {
    HbmModule& m = frm_.m;
    if (frm_.cells()[i].inMonth)
        return false;
    m.ui.message(QStringLiteral("当月以外の枠への入力はできません。") + QStringLiteral("\r") +
                     QStringLiteral("一ヶ月前/後してから入力下さい。"),
                 QStringLiteral("直接入力エラー"));
    return true;
}

QString DayCellEditing::dayTitle(int i) const {
    const QDate date = frm_.cells()[i].date;
    return QString::number(date.month()) + QStringLiteral("/") + QString::number(date.day());
}

void DayCellEditing::lineEdit(Line line, int i) {
    HbmModule& m = frm_.m;
    if (refusedAsOtherMonth(i))
        return;
    const QDate date = frm_.cells()[i].date;
    const int month = date.month() - 1;
    const int day = date.day() - 1;
    YearLines& table = line == Line::Public ? m.PubLine : m.PrivLine;
    m.memo.MemoText = table[month][day];
    if (line == Line::Public) {
        m.memo.MemoGuide1 = QStringLiteral("公的or準公的行事予定をメモします。下の枠に入力下さい。");
        m.memo.MemoGuide2 = QStringLiteral(
            "国の祝祭日など毎年 日の決まっているものは 画面左下の[国]をクリックして入力下さい。");
        m.memo.MemoTitle = dayTitle(i) + QStringLiteral("--今年のみの祝祭日的行事");
    } else {
        m.memo.MemoGuide1 = QStringLiteral("私的な行事予定などをメモします。下の枠に入力下さい。");
        m.memo.MemoGuide2 = QStringLiteral(
            "誕生日などの毎年 日の決まっている個人記念日などは画面左下の[個]をクリックして入力下さい。");
        m.memo.MemoTitle = dayTitle(i) + QStringLiteral("--今年のみの個人的予定/行事");
    }
    // Ended from outside while the dialog was open: as if cancelled, and nothing more is stored.
    if (!m.ui.showModal(memoDialog()))
        return;
    // Closing the dialog has reloaded the year from its file (the main window's activation), so the
    // text goes into the fresh tables.
    table[month][day] = withoutDoubleQuotes(m.memo.MemoText);
    m.shown.save();
    frm_.F_C_disp(m.CurYear, m.CurMonth);
}

void DayCellEditing::Text2_DblClick(int Index) {
    lineEdit(Line::Public, Index);
}

void DayCellEditing::Text3_DblClick(int Index) {
    lineEdit(Line::Private, Index);
}

void DayCellEditing::Text1_DblClick(int Index) {
    Text5_DblClick(Index);
}

void DayCellEditing::Text5_DblClick(int Index) {
    HbmModule& m = frm_.m;
    if (refusedAsOtherMonth(Index))
        return;
    m.memo.MemoText = frm_.Text5[Index]->text();
    m.memo.MemoGuide1 = QStringLiteral("行事､休業日､出張予定などを1～2字で入力下さい。");
    m.memo.MemoGuide2 = QStringLiteral("文字ではなく●◆▲などの記号を使ってもよいでしょう。");
    m.memo.MemoTitle = dayTitle(Index) + QStringLiteral("--日毎メモ:この日の個人的予定");
    if (!m.ui.showModal(memoDialog()))
        return;
    m.DispDone = false;
    frm_.Text5[Index]->setText(withoutDoubleQuotes(m.memo.MemoText));
    frm_.TxtBox2Array(5, Index);
    m.shown.save();
    m.DispDone = true;
}

namespace {
// A box whose text needs more lines than its resting height shows grows to show it all, in front.
void growToText(CellBox& box, int restingLines) {
    const int L = linesFor(box.text());
    if (L > restingLines)
        box.setHeightTwips(210 * L);
    box.bringToFront();
}
} // namespace

void DayCellEditing::Text2_GotFocus(int Index) {
    growToText(*frm_.Text2[Index], 1);
}

void DayCellEditing::Text2_LostFocus(int Index) {
    frm_.Text2[Index]->setHeightTwips(285);
    // Where the two overlap, the private line lies in front of the public line again.
    frm_.Text2[Index]->bringToFront();
    frm_.Text3[Index]->bringToFront();
}

void DayCellEditing::Text3_GotFocus(int Index) {
    growToText(*frm_.Text3[Index], 2);
}

void DayCellEditing::Text3_LostFocus(int Index) {
    frm_.Text3[Index]->setHeightTwips(435);
    frm_.Text3[Index]->bringToFront();
}

void DayCellEditing::Text5_Click(int Index) {
    CellBox& box = *frm_.Text5[Index];
    if (box.text().size() > 3)
        box.setHeightTwips(410);
    box.bringToFront();
}

void DayCellEditing::Text5_LostFocus(int Index) {
    frm_.Text5[Index]->setHeightTwips(210);
}

void DayCellEditing::Text3_Change(int Index) {
    HbmModule& m = frm_.m;
    if (!m.DispDone)
        return;
    m.DispDone = false;
    Text3_DblClick(Index);
    m.DispDone = true;
}

} // namespace hibimo
