#include "generation/ListFiles.h"

#include "calendar/CalendarModule.h"
#include "calendar/Records.h"
#include "generation/GenerationMessages.h"
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
    m.ui.message(generationText::HolidaysMissing);
    m.HolyText = QStringLiteral("**01/01元旦");
}

void BirthLoad(CalendarModule& m) {
    if (std::optional<QString> text = readList(m, BirthFileName, QStringLiteral("[個]"))) {
        m.BirthText = std::move(*text);
        return;
    }
    m.ui.message(generationText::AnniversariesMissing);
    m.BirthText = QStringLiteral("誕生日､記念日など,*1972/01/25花子誕生日S47");
}

} // namespace hibimo
