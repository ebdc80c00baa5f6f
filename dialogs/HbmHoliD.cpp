#include "dialogs/HbmHoliD.h"

#include "generation/SampleLists.h"

namespace hibimo {

HbmHoliD::HbmHoliD(CalendarModule& module)
    : ListEditor(module,
                 {QStringLiteral("HBHolyD.dat"), checkHolidayList, holidayCheckMessage, holidaySampleList}) {
    setObjectName(QStringLiteral("HbmHoliD"));
    setWindowTitle(QStringLiteral("Holiday"));
    setClientSizeTwips(8370, 7365);
    Label2 = new Label(this, QStringLiteral(" 祝 祭 日 な ど "));
    Label2->setObjectName(QStringLiteral("Label2"));
    placeTwips(*Label2, 120, 105, 1980, 300);
    buildCommon(QRect(60, 495, 5610, 6795), QRect(7035, 0, 1320, 330), QRect(7365, 7005, 960, 330));
    buildGuidance(
        5880, 2415,
        {
            {Label3[5], QStringLiteral("Label3_5"), QStringLiteral("新たに入力する際は"), 450, 330},
            {Label3[0], QStringLiteral("Label3_0"),
             QStringLiteral(
                 "　左のように \"*\"の一つor二つ "
                 "に続け\"月/日\"、さらに続けて\"祝祭日などの名称\"を入力します。 "
                 "各行の終りは[Enter]で改行します。 "
                 "なお、同じ月/日の行が複数あるとカレンダー上には各内容が連結されて表示されます。"),
             795, 1590},
            {Label3[1], QStringLiteral("Label3_1"),
             QStringLiteral("　\"*\"を二つ付けるとカレンダーのその日付が赤表示となります。"), 2400, 675},
            {Label3[4], QStringLiteral("Label3_4"),
             QStringLiteral("　先頭に\"*\"を付けないとカレンダーには "
                            "表示されません。したがって、改行後には自由にメモを書けます。"),
             3090, 870},
            {Label3[2], QStringLiteral("Label3_2"),
             QStringLiteral("　祝祭日が曜日によって決まる場合は、 "
                            "\"成人の日\"(１月の第２月曜日)"
                            "にならって入力します。\"01w2月\"が一月の第２月曜日を表します。　"),
             3975, 990},
            {Label3[7], QStringLiteral("Label3_7"),
             QStringLiteral("　なお、祝祭日が日曜日と重なる場合は自動的に翌日に振替えられます。"), 4980, 690},
            {Label3[3], QStringLiteral("Label3_3"),
             QStringLiteral("　祝祭日などを作者の知る範囲で入力してありますが適宜追加修正下さい。"), 5685,
             675},
            {Label3[6], QStringLiteral("Label3_6"),
             QStringLiteral(
                 "　この画面を閉じてからカレンダー画面左下の[反映]を実行するとカレンダーに反映されます。"),
             6375, 990},
        });
}

} // namespace hibimo
