#pragma once

#include <QString>

// What reading and saving the colours tell the user, named once for the code and its tests.
namespace hibimo::colourText {

inline const QString SettingsUnreadable =
    QStringLiteral("Hibimo.ini ファイルを読み込めません。デフォルトの配色で立ち上げます。");
inline const QString SettingsNotSaved =
    QStringLiteral("Hibimo.ini ファイルをSAVEできませんでした。次回はデフォルト配色で立ち上げます。");
inline const QString ColourFileFaulty =
    QStringLiteral("CCFファイルが違うか 異常です。確認下さい。デフォルトの配色で立ち上げます。");
inline const QString ColourFileNotSaved =
    QStringLiteral("ファイルが読取り専用と思われます。別ファイル名で保存下さい。"
                   "ディスクが一杯の場合はディスクを替えて下さい。");

} // namespace hibimo::colourText
