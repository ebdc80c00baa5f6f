#include "app/HbmFrm.h"
#include "calendar/Cp932.h"
#include "calendar/TextNumber.h"
#include "dialogs/HbmModule.h"
#include "toolkit/Interaction.h"

#include <QDate>

namespace hibimo {

namespace {

// Only the space character counts as a blank around a mark or a memo; line breaks and full-width
// spaces are the user's text.
QString trimSpaces(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

bool storeEntry(QString& entry, const QString& value) {
    if (entry == value)
        return false;
    entry = value;
    return true;
}

} // namespace

void HbmFrm::TxtBox2Array(int kind, int index) {
    if (index < 0 || index >= 42)
        return;
    const MonthCell& cell = cells_[index];
    if (!cell.inMonth) {
        m.ui.message(QStringLiteral("当月以外の枠への入力は無効です。今 入力した文字は保存されません。") +
                         QStringLiteral("\r") + QStringLiteral("一ヶ月前/後してから入力下さい。"),
                     QStringLiteral("直接入力エラー"));
        return;
    }
    bool changed = false;
    if (kind == 5) {
        const QDate date = cell.date;
        const QString key = twoDigits(date.month()) + twoDigits(date.day()) + QStringLiteral("2");
        QString& entry = m.DayItem[date.month() - 1][date.day()][2];
        const QString mark = withoutDoubleQuotes(trimSpaces(Text5[index]->text()));
        // The red-day flag is the character after the key; a "#" inside an old mark is no flag.
        const bool redDay = entry.size() > 5 && entry[5] == QLatin1Char('#');
        if (mark.isEmpty() && !redDay)
            changed = storeEntry(entry, {});
        else
            changed = storeEntry(entry, key + (redDay ? QStringLiteral("#") : QStringLiteral(" ")) + mark);
    } else if (kind == 4) {
        // The memo belongs to the shown month, whichever cell the caller names.
        QString& entry = m.DayItem[m.CurMonth - 1][0][0];
        const QString memo = withoutDoubleQuotes(trimSpaces(Text4->text()));
        changed = storeEntry(entry, memo.isEmpty() ? QString()
                                                   : twoDigits(m.CurMonth) + QStringLiteral("000") + memo);
    }
    if (changed)
        m.LoadedYearChanged = true;
}

} // namespace hibimo
