#include "dialogs/HbmReNew.h"

#include "dialogs/HbmModule.h"
#include "toolkit/DialogKeys.h"
#include "toolkit/Fonts.h"

namespace hibimo {

namespace {

constexpr int LabelHeight = 180;

} // namespace

HbmReNew::HbmReNew(HbmModule& module) : m(module) {
    setObjectName(QStringLiteral("HbmReNew"));
    setWindowTitle(QStringLiteral("カレンダー新規作成/更新"));
    setClientSizeTwips(8250, 3075);
    setFont(msFont(MsGothic, 9));

    auto label = [this](const QString& name, const QString& text, int left, int top, int width) {
        auto* l = new Label(this, text);
        l->setObjectName(name);
        placeTwips(*l, left, top, width, LabelHeight);
        return l;
    };
    auto button = [this](int index, const QString& text, int left, int top, int width) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QStringLiteral("ComReNew_%1").arg(index));
        b->setFont(msFont(MsPGothic, 9));
        placeTwips(*b, left, top, width, 360);
        connect(b, &QPushButton::clicked, this, [this, index] { ComReNew_Click(index); });
        ComReNew[index] = b;
    };

    LbYReNew = label(QStringLiteral("LbYReNew"), {}, 180, 120, 810);
    LbYReNew->setFont(msFont(MsGothic, 12, true));
    placeTwips(*LbYReNew, 180, 120, 810, 240);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("の カレンダーを登録の内容に設定します。"), 1260,
                   165, 3510);
    Label5[3] = label(QStringLiteral("Label5_3"),
                      QStringLiteral("祝祭日や誕生日を新たに追加したり、修正した場合に実行します。　"), 1275,
                      405, 5580);
    Label3[0] =
        label(QStringLiteral("Label3_0"),
              QStringLiteral("●すでに 書き込まれている祝祭日など と 誕生日などの内容"), 300, 930, 4950);
    Label4[0] =
        label(QStringLiteral("Label4_0"),
              QStringLiteral("を 一旦消去し、登録済の「祝祭日など」と「誕生日など」"), 480, 1155, 4770);
    Label3[1] =
        label(QStringLiteral("Label3_1"), QStringLiteral("に記載の内容に更新します。"), 525, 1395, 2340);
    Label1[0] = label(QStringLiteral("Label1_0"), QStringLiteral("－－－－"), 5340, 1125, 720);
    button(0, QStringLiteral("更　新"), 6165, 1035, 1920);
    Label5[2] = label(QStringLiteral("Label5_2"), QStringLiteral("●更新しない場合は[キャンセル]をクリック！"),
                      285, 1860, 3780);
    Label1[2] = label(QStringLiteral("Label1_2"), QStringLiteral("－－－－－"), 5220, 1860, 900);
    button(2, QStringLiteral("キャンセル"), 6210, 1785, 1905);
    Label5[0] = label(
        QStringLiteral("Label5_0"),
        QStringLiteral("●なお、各月の行事メモはそのまま保存されます。また、カレンダー画面で日付枠に入力した"),
        300, 2490, 7560);
    Label5[1] = label(QStringLiteral("Label5_1"),
                      QStringLiteral("メモ(DblClickで入力窓に表示される内容)もそのまま保存されます。"), 465,
                      2745, 5580);
    installDialogKeys(*this, ComReNew[0]);
}

void HbmReNew::Form_Load() {
    LbYReNew->setCaption(QStringLiteral(" ") + QString::number(m.LoadedYear.trimmed().toInt()) +
                         QStringLiteral("年"));
}

void HbmReNew::ComReNew_Click(int Index) {
    if (Index == 0)
        m.RenewChoice = 0;
    else if (Index == 2)
        m.RenewChoice = 2;
    close();
}

} // namespace hibimo
