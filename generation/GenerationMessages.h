#pragma once

#include <QString>

// What loading the lists and generating a year tell the user, named once for the code and its tests.
namespace hibimo::generationText {

inline const QString HolidaysMissing =
    QStringLiteral("祝祭日などのファイルHBHolyD.datが見つからないか/読み込めませんでした。") +
    QStringLiteral("とりあえず、元旦のみを設定して立ち上げます。立ち上がり後 "
                   "カレンダー画面左下の[国]をクリックすると、") +
    QStringLiteral("デフォルトの 祝祭日など 登録画面が立ち上がります。内容を確認して必要なら修正/"
                   "追加を行い ") +
    QStringLiteral("一旦閉じ、カレンダー画面左下の[反映]を実行下さい。");
inline const QString AnniversariesMissing =
    QStringLiteral("誕生日などのファイルHBBirth.datが見つからないか/読み込めませんでした。") +
    QStringLiteral("仮に、1/25を花子の誕生日として立ち上げます。立ち上がり後 "
                   "カレンダー画面左下の[個]をクリックすると、") +
    QStringLiteral("デフォルトの 誕生日など 登録画面が立ち上がります。デフォルトの内容にならって修正/"
                   "追加を行い ") +
    QStringLiteral("一旦閉じ、 カレンダー画面左下の[反映]を実行下さい。");

inline QString yearCreation(const QString& yyyy) {
    return QStringLiteral("カレンダーファイル ") + yyyy + QStringLiteral("年分は未作成なので") +
           QStringLiteral("作成します。");
}
// The neighbour loading passes the year with its leading blank.
inline QString neighbourCreation(const QString& yyyy) {
    return QStringLiteral("カレンダーファイル") + yyyy + QStringLiteral("年分は未作成なので") +
           QStringLiteral("作成いたします。");
}

// The year as the caller holds it, so a leading blank shows as it always did.
inline QString failed(const QString& yyyy) {
    return QStringLiteral("カレンダーの作成に失敗しまた。HB") + yyyy +
           QStringLiteral(".hbd の内容に誤りがある可能性があります。") +
           QStringLiteral("一旦 このファイルを消去して再立ち上げを実施願います。それでもエラーが出る場合は "
                          "祝祭日など(HBHolyD.dat) or 誕生日など(HBBirth.dat) ") +
           QStringLiteral(
               "の記載様式に誤りがある可能性があります。再インストールしてみて下さい。再インストールするとオ"
               "リジナルの正しい HBHolyD.dat、HBBirth.datファイルで上書きされます。") +
           QStringLiteral("なお、各ファイルはいずれもテキストファイルです。これらのファイルの不正部分がわか"
                          "れ､再インストールするまでもなく､その部分を修正することも可能です｡");
}

} // namespace hibimo::generationText
