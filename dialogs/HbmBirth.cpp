#include "dialogs/HbmBirth.h"

#include "generation/SampleLists.h"

namespace hibimo {

HbmBirth::HbmBirth(CalendarModule& module)
    : ListEditor(module, {QStringLiteral("HBBirth.dat"), checkAnniversaryList, anniversaryCheckMessage,
                          anniversarySampleList}) {
    setObjectName(QStringLiteral("HbmBirth"));
    setWindowTitle(QStringLiteral("Birth day"));
    setClientSizeTwips(8370, 6825);
    Label1 = new Label(this, QStringLiteral(" 誕 生 日 な ど"));
    Label1->setObjectName(QStringLiteral("Label1"));
    placeTwips(*Label1, 105, 90, 1860, 300);
    buildCommon(QRect(60, 525, 5610, 6225), QRect(7020, 15, 1335, 330), QRect(7395, 6480, 930, 330));
    buildGuidance(
        5960, 2280,
        {
            {Label3[2], QStringLiteral("Label3_2"), QStringLiteral("新たな入力は"), 495, 270},
            {Label2[0], QStringLiteral("Label2_0"),
             QStringLiteral("　左のように\"*\"に続けて年/月/"
                            "日、さらに名前などを入力します。　各行の終りでは[Enter]を押して改行します。"),
             780, 1020},
            {Label3[1], QStringLiteral("Label3_1"),
             QStringLiteral("　先頭に\"*"
                            "\"を付けないとカレンダーには反映されません。したがって、改行後には自"
                            "由にメモを書込めます。　改行だけで空行も可。"),
             1815, 1020},
            {Label2[1], QStringLiteral("Label2_1"),
             QStringLiteral("　生まれ年不明の場合は数字の替りに\"????\"を入力します。この場合も月/"
                            "日はキチッと数字を入力下さい。カレンダー画面では名前などの後に西暦年が短縮型で付"
                            "加されます。"),
             2850, 1500},
            {Label3[0], QStringLiteral("Label3_0"),
             QStringLiteral("　同じ年/月/日or月/"
                            "日が重複する場合は順に各内容(項目)"
                            "が連結されて表示されます。この場合はじめの項目の先頭には\":"
                            "\"、以後の項目の先頭には\"・\"が付きます。"),
             4365, 1320},
            {Label3[3], QStringLiteral("Label3_3"),
             QStringLiteral(
                 "　この画面を閉じてからカレンダー画面左下の[反映]を実行するとカレンダーに反映されます。"),
             5700, 1125},
        });
}

} // namespace hibimo
