#pragma once

#include <QString>

// What a publish tells the user, named once so that the window, the publisher and the tests agree.
namespace hibimo::publishText {

inline const QString NothingChanged =
    QStringLiteral("ファイルは何も変わっていません。次の公開でもう一度送ります。");
inline const QString PartlySent = QStringLiteral("送れた予定は記録しました。残りは次の公開で送ります。");
inline const QString NoConnection =
    QStringLiteral("サーバーに接続できませんでした。\r"
                   "ネットワークの接続、URLのサーバー名、サーバーが動いているかを確認下さい。");
inline const QString NoAnswerInTime = QStringLiteral(
    "サーバーから時間内に応答がありませんでした。\rネットワークの接続とサーバーの状態を確認下さい。");
inline const QString UntrustedCertificate =
    QStringLiteral("サーバーの証明書を確かめられないため、接続しませんでした。\r"
                   "URLのサーバー名と、サーバーの証明書が有効かを確認下さい。");
inline const QString TooLarge = QStringLiteral("サーバーからの応答が大きすぎるため、公開を中止しました。\r"
                                               "サーバーの状態と「公開設定」のカレンダーのURLを確認下さい。");
inline const QString BrokenListing =
    QStringLiteral("サーバーから届いたカレンダーの一覧が壊れているため、公開を中止しました。\r"
                   "サーバーの状態と「公開設定」のカレンダーのURLを確認下さい。");
inline const QString PlainHttp = QStringLiteral(
    "暗号化されていない接続(http)ではパスワードが読み取られるおそれがあるため、公開できません。\r"
    "https:// で始まるURLを入力下さい。");

inline const QString NotConfigured =
    QStringLiteral("公開先のカレンダーがまだ設定されていません。\r"
                   "「公開設定」でカレンダーのURLとユーザー名を入力下さい。");
inline const QString NoKeyring =
    QStringLiteral("デスクトップのキーリングが応答しないため、パスワードを保存できません。\r"
                   "パスワードはHibimoを終了するまでの間だけ覚えておきます。");

inline QString collectionChanged(const QString& old) {
    return QStringLiteral("公開先のカレンダーを変えました。\r"
                          "前のカレンダー %1 に公開した予定はそのまま残り、これからは変更も削除もしません。\r"
                          "新しいカレンダーには次の公開で全ての予定を送ります。")
        .arg(old);
}

inline QString redirected(const QString& where) {
    return QStringLiteral(
               "サーバーが別の場所 %1 へ転送しようとしたため、公開を中止しました。\r"
               "パスワードも予定もそこへは送っていません。「公開設定」のカレンダーのURLを確認下さい。")
        .arg(where);
}

// The statuses a server gives for a cause the user can fix; empty for any other.
inline QString statusText(int status) {
    static const struct {
        int status;
        const char* text;
    } rows[] = {
        {401, "サーバーがユーザー名かパスワードを受け付けませんでした(401)。\r"
              "「公開設定」のユーザー名とパスワードを確認下さい。"},
        {403, "このカレンダーへの書き込みがサーバーに許可されていません(403)。\r"
              "カレンダーの共有や書き込みの権限を確認下さい。"},
        {404, "カレンダーがサーバーに見つかりません(404)。\r「公開設定」のカレンダーのURLを確認下さい。"},
        {409, "カレンダーがサーバーに見つかりません(409)。\r「公開設定」のカレンダーのURLを確認下さい。"},
        {429,
         "サーバーが混み合っているため、公開を中断しました(429)。\rしばらくしてからもう一度公開下さい。"},
        {507, "サーバーの保存領域が一杯のため、予定を保存できませんでした(507)。\r"
              "サーバーの空き容量を確認下さい。"},
    };
    for (const auto& row : rows)
        if (row.status == status)
            return QString::fromUtf8(row.text);
    return {};
}

} // namespace hibimo::publishText
