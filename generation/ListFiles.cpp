#include "generation/ListFiles.h"

#include "calendar/CalendarModule.h"
#include "calendar/Records.h"
#include "toolkit/Interaction.h"

namespace hibimo {

namespace {

constexpr qsizetype UnreadShown = 100;

// The list's text, after telling of anything in the file that is not part of it.
std::optional<QString> readList(CalendarModule& m, const QString& fileName, const QString& command) {
    std::optional<ListFileText> read = readListFileText(m.filePath(fileName));
    if (!read)
        return std::nullopt;
    if (!read->unread.isEmpty())
        m.ui.message(unreadListTextMessage(fileName, read->unread) + QLatin1Char('\r') +
                     QStringLiteral("一覧に加えるには、カレンダー画面左下の") + command +
                     QStringLiteral("で開いて書き加え、[反映]を実行下さい。"));
    return std::move(read->text);
}

} // namespace

QString unreadListTextMessage(const QString& fileName, const QString& unread) {
    const QString shown =
        unread.size() > UnreadShown ? unread.left(UnreadShown) + QStringLiteral("…") : unread;
    return fileName + QStringLiteral("の最後の\"より後ろにある次の文字は読み込まれていません。") +
           QLatin1Char('\r') + shown;
}

void HolyLoad(CalendarModule& m) {
    if (std::optional<QString> text = readList(m, HolyFileName, QStringLiteral("[国]"))) {
        m.HolyText = std::move(*text);
        return;
    }
    m.ui.message(
        QStringLiteral("祝祭日などのファイルHBHolyD.datが見つからないか/読み込めませんでした。") +
        QStringLiteral("とりあえず、元旦のみを設定して立ち上げます。立ち上がり後 "
                       "カレンダー画面左下の[国]をクリックすると、") +
        QStringLiteral("デフォルトの 祝祭日など 登録画面が立ち上がります。内容を確認して必要なら修正/"
                       "追加を行い ") +
        QStringLiteral("一旦閉じ、カレンダー画面左下の[反映]を実行下さい。"));
    m.HolyText = QStringLiteral("**01/01元旦");
}

void BirthLoad(CalendarModule& m) {
    if (std::optional<QString> text = readList(m, BirthFileName, QStringLiteral("[個]"))) {
        m.BirthText = std::move(*text);
        return;
    }
    m.ui.message(
        QStringLiteral("誕生日などのファイルHBBirth.datが見つからないか/読み込めませんでした。") +
        QStringLiteral("仮に、1/25を花子の誕生日として立ち上げます。立ち上がり後 "
                       "カレンダー画面左下の[個]をクリックすると、") +
        QStringLiteral("デフォルトの 誕生日など 登録画面が立ち上がります。デフォルトの内容にならって修正/"
                       "追加を行い ") +
        QStringLiteral("一旦閉じ、 カレンダー画面左下の[反映]を実行下さい。"));
    m.BirthText = QStringLiteral("誕生日､記念日など,*1972/01/25花子誕生日S47");
}

} // namespace hibimo
