#include "sharing/CalDavSettings.h"

#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "sharing/PublishMessages.h"
#include "sharing/ShareKinds.h"

#include <QDir>
#include <QHostAddress>
#include <QUrl>

namespace hibimo {

namespace {

// The kinds and the two choices as one record of "0"/"1", in a fixed order: a later kind is added
// at the end, and an older file reads with its default.
constexpr int FlagCount = 10;
constexpr int AfterSaveFlag = 7;
constexpr int AtExitFlag = 8;

QString flagsText(const CalDavSettings& s) {
    QString text(FlagCount, QLatin1Char('0'));
    for (int k = 0; k < ShareKindCount; ++k) {
        const ShareKindRow& row = shareKindRow(static_cast<ShareKind>(k));
        text[row.calDavFlag] = s.kinds.*row.field ? QLatin1Char('1') : QLatin1Char('0');
    }
    text[AfterSaveFlag] = s.afterSave ? QLatin1Char('1') : QLatin1Char('0');
    text[AtExitFlag] = s.atExit ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

void applyFlags(const QString& text, CalDavSettings& s) {
    auto flag = [&text](int at, bool& value) {
        if (at < text.size())
            value = text[at] == QLatin1Char('1');
    };
    for (int k = 0; k < ShareKindCount; ++k) {
        const ShareKindRow& row = shareKindRow(static_cast<ShareKind>(k));
        flag(row.calDavFlag, s.kinds.*row.field);
    }
    flag(AfterSaveFlag, s.afterSave);
    flag(AtExitFlag, s.atExit);
}

} // namespace

CalDavSettings readCalDavSettings(const QString& folder) {
    const std::optional<QByteArray> bytes = readFileBytes(QDir(folder).filePath(CalDavSettingsFileName));
    return bytes ? calDavSettingsFromBytes(*bytes) : CalDavSettings();
}

CalDavSettings calDavSettingsFromBytes(QByteArrayView bytes) {
    CalDavSettings settings;
    RecordReader reader(bytes);
    const std::optional<QString> url = reader.next();
    const std::optional<QString> user = reader.next();
    const std::optional<QString> flags = reader.next();
    if (!url || !user || !flags)
        return settings;
    if (const QString problem = calDavUrlProblem(*url); !problem.isEmpty()) {
        settings.problem =
            QStringLiteral("%1 のカレンダーのURL %2 は使えません。").arg(CalDavSettingsFileName, *url) +
            QLatin1Char('\r') + problem;
        return settings;
    }
    settings.url = *url;
    settings.user = *user;
    applyFlags(*flags, settings);
    return settings;
}

bool writeCalDavSettings(const QString& folder, const CalDavSettings& settings) {
    return writeTextFile(QDir(folder).filePath(CalDavSettingsFileName),
                         quotedRecord(settings.url) + quotedRecord(settings.user) +
                             quotedRecord(flagsText(settings)));
}

QString calDavUrlProblem(const QString& text) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (text.trimmed().isEmpty() || !url.isValid() || url.host().isEmpty())
        return QStringLiteral("カレンダーのURLが正しくありません。") + QLatin1Char('\r') +
               QStringLiteral("https://サーバー名/…/カレンダー名/ の形で入力下さい。");
    if (url.hasQuery() || url.hasFragment())
        return QStringLiteral("カレンダーのURLに「?」や「#」以降を含めないで下さい。") + QLatin1Char('\r') +
               QStringLiteral("https://サーバー名/…/カレンダー名/ の形で入力下さい。");
    if (!url.userInfo().isEmpty())
        return QStringLiteral("URLにユーザー名やパスワードを含めないで下さい。") + QLatin1Char('\r') +
               QStringLiteral("ユーザー名とパスワードはそれぞれの欄に入力下さい。");
    const QString scheme = url.scheme().toLower();
    if (scheme == u"https")
        return {};
    const QHostAddress address(url.host());
    const bool loopback = url.host().compare(u"localhost", Qt::CaseInsensitive) == 0 ||
                          (!address.isNull() && address.isLoopback());
    if (scheme == u"http" && loopback)
        return {};
    return publishText::PlainHttp;
}

QString calDavUserProblem(const QString& user) {
    const QString unstorable = unencodableCp932(user);
    if (unstorable.isEmpty() && !user.contains(QLatin1Char('"')))
        return {};
    return QStringLiteral("ユーザー名の次の文字は保存できません: %1")
               .arg(unstorable.isEmpty() ? QStringLiteral("\"") : unstorable) +
           QLatin1Char('\r') + QStringLiteral("サーバーに登録したユーザー名を確認下さい。");
}

QString normalisedCollectionUrl(const QString& url) {
    QString text = url.trimmed();
    if (!text.endsWith(QLatin1Char('/')))
        text += QLatin1Char('/');
    // Kept as typed where the file can hold it, so that a stored URL (and its keyring entry) stays.
    if (!unencodableCp932(text).isEmpty() || text.contains(QLatin1Char('"')))
        text = QUrl(text).toString(QUrl::FullyEncoded);
    return text;
}

} // namespace hibimo
