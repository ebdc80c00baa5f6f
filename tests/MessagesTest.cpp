#include "colours/ColourMessages.h"
#include "generation/GenerationMessages.h"
#include "sharing/PublishMessages.h"

#include <gtest/gtest.h>

namespace {

using namespace hibimo::colourText;
using namespace hibimo::generationText;
using namespace hibimo::publishText;

// Each message the tests check against its text, once; the other tests compare against the same names.
const std::pair<QString, QString> messages[] = {
    {SettingsUnreadable, "Hibimo.ini ファイルを読み込めません。デフォルトの配色で立ち上げます。"},
    {SettingsNotSaved, "Hibimo.ini ファイルをSAVEできませんでした。次回はデフォルト配色で立ち上げます。"},
    {ColourFileFaulty, "CCFファイルが違うか 異常です。確認下さい。デフォルトの配色で立ち上げます。"},
    {ColourFileNotSaved, "ファイルが読取り専用と思われます。別ファイル名で保存下さい。"
                         "ディスクが一杯の場合はディスクを替えて下さい。"},
    {HolidaysMissing,
     "祝祭日などのファイルHBHolyD.datが見つからないか/読み込めませんでした。"
     "とりあえず、元旦のみを設定して立ち上げます。立ち上がり後 カレンダー画面左下の[国]をクリックすると、"
     "デフォルトの 祝祭日など 登録画面が立ち上がります。内容を確認して必要なら修正/追加を行い 一旦閉じ、"
     "カレンダー画面左下の[反映]を実行下さい。"},
    {AnniversariesMissing,
     "誕生日などのファイルHBBirth.datが見つからないか/読み込めませんでした。"
     "仮に、1/25を花子の誕生日として立ち上げます。立ち上がり後 カレンダー画面左下の[個]をクリックすると、"
     "デフォルトの 誕生日など 登録画面が立ち上がります。デフォルトの内容にならって修正/追加を行い "
     "一旦閉じ、 カレンダー画面左下の[反映]を実行下さい。"},
    {yearCreation("2024"), "カレンダーファイル 2024年分は未作成なので作成します。"},
    {neighbourCreation(" 2025"), "カレンダーファイル 2025年分は未作成なので作成いたします。"},
    {failed(" 2024"),
     "カレンダーの作成に失敗しまた。HB 2024.hbd の内容に誤りがある可能性があります。一旦 "
     "このファイルを消去して再立ち上げを実施願います。それでもエラーが出る場合は "
     "祝祭日など(HBHolyD.dat) or 誕生日など(HBBirth.dat) "
     "の記載様式に誤りがある可能性があります。再インストールしてみて下さい。再インストールする"
     "とオリジナルの正しい HBHolyD.dat、HBBirth.datファイルで上書きされます。なお、各ファイル"
     "はいずれもテキストファイルです。これらのファイルの不正部分がわかれ､再インストールするま"
     "でもなく､その部分を修正することも可能です｡"},
    {NothingChanged, "ファイルは何も変わっていません。次の公開でもう一度送ります。"},
    {PartlySent, "送れた予定は記録しました。残りは次の公開で送ります。"},
    {NoConnection, "サーバーに接続できませんでした。\r"
                   "ネットワークの接続、URLのサーバー名、サーバーが動いているかを確認下さい。"},
    {NoAnswerInTime,
     "サーバーから時間内に応答がありませんでした。\rネットワークの接続とサーバーの状態を確認下さい。"},
    {UntrustedCertificate, "サーバーの証明書を確かめられないため、接続しませんでした。\r"
                           "URLのサーバー名と、サーバーの証明書が有効かを確認下さい。"},
    {TooLarge, "サーバーからの応答が大きすぎるため、公開を中止しました。\r"
               "サーバーの状態と「公開設定」のカレンダーのURLを確認下さい。"},
    {BrokenListing, "サーバーから届いたカレンダーの一覧が壊れているため、公開を中止しました。\r"
                    "サーバーの状態と「公開設定」のカレンダーのURLを確認下さい。"},
    {PlainHttp, "暗号化されていない接続(http)ではパスワードが読み取られるおそれがあるため、公開できません。\r"
                "https:// で始まるURLを入力下さい。"},
    {NotConfigured, "公開先のカレンダーがまだ設定されていません。\r"
                    "「公開設定」でカレンダーのURLとユーザー名を入力下さい。"},
    {NoKeyring, "デスクトップのキーリングが応答しないため、パスワードを保存できません。\r"
                "パスワードはHibimoを終了するまでの間だけ覚えておきます。"},
    {collectionChanged("https://a/"), "公開先のカレンダーを変えました。\r前のカレンダー https://a/ "
                                      "に公開した予定はそのまま残り、これからは変更も削除もしません。\r"
                                      "新しいカレンダーには次の公開で全ての予定を送ります。"},
    {redirected("https://b/"),
     "サーバーが別の場所 https://b/ へ転送しようとしたため、公開を中止しました。\r"
     "パスワードも予定もそこへは送っていません。「公開設定」のカレンダーのURLを確認下さい。"},
    {statusText(401), "サーバーがユーザー名かパスワードを受け付けませんでした(401)。\r"
                      "「公開設定」のユーザー名とパスワードを確認下さい。"},
    {statusText(403), "このカレンダーへの書き込みがサーバーに許可されていません(403)。\r"
                      "カレンダーの共有や書き込みの権限を確認下さい。"},
    {statusText(404),
     "カレンダーがサーバーに見つかりません(404)。\r「公開設定」のカレンダーのURLを確認下さい。"},
    {statusText(409),
     "カレンダーがサーバーに見つかりません(409)。\r「公開設定」のカレンダーのURLを確認下さい。"},
    {statusText(429),
     "サーバーが混み合っているため、公開を中断しました(429)。\rしばらくしてからもう一度公開下さい。"},
    {statusText(507), "サーバーの保存領域が一杯のため、予定を保存できませんでした(507)。\r"
                      "サーバーの空き容量を確認下さい。"},
};

} // namespace

TEST(Messages, EachTextVerbatim) {
    for (const auto& [message, text] : messages)
        EXPECT_EQ(message, text);
}
