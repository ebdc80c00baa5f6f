#include "generation/ListCheck.h"

#include "calendar/Cp932.h"
#include "generation/ListRules.h"

#include <algorithm>

namespace hibimo {

namespace {

constexpr qsizetype HolidayExcerptLength = 20;
constexpr qsizetype AnniversaryExcerptLength = 25;

// Both checks are the lists' one reading in the editor's form, on the text as the editor stores it.
template <class Parse> ListCheckResult checkList(const QString& text, qsizetype excerptLength, Parse parse) {
    const QString t = trimListText(text);
    ListCheckResult result;
    if (const QString bad = unencodableCp932(t); !bad.isEmpty()) {
        result.ok = false;
        result.unencodable = bad;
        return result;
    }
    const ListFault fault = parse(t, ListReading::Editor).fault;
    if (fault.entry == 0)
        return result;
    result.ok = false;
    result.entry = fault.entry;
    result.start = fault.start;
    result.length = fault.length;
    if (fault.start >= 0)
        result.excerpt = t.mid(fault.start, std::min(fault.length, excerptLength));
    return result;
}

QString lineMessage(const ListCheckResult& result, const QString& hint) {
    if (result.ok)
        return {};
    if (!result.unencodable.isEmpty())
        return unstorableCharactersMessage(result.unencodable);
    return QStringLiteral(" ") + QString::number(result.entry) + QStringLiteral(" 行目か、その数行先の「") +
           result.excerpt + QStringLiteral("」に異常があります。") + QStringLiteral("\r\r") + hint;
}

} // namespace

QString trimListText(const QString& text) {
    const auto blank = [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
               c == QLatin1Char('\n');
    };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

ListCheckResult checkHolidayList(const QString& text) {
    return checkList(text, HolidayExcerptLength, parseHolidayList);
}

ListCheckResult checkAnniversaryList(const QString& text) {
    return checkList(text, AnniversaryExcerptLength, parseAnniversaryList);
}

QString holidayCheckMessage(const ListCheckResult& result) {
    return lineMessage(
        result, QStringLiteral("とくに 祝祭日(月日or週)の指定が正しく入力されているかチェック願います｡ "));
}

QString anniversaryCheckMessage(const ListCheckResult& result) {
    return lineMessage(result,
                       QStringLiteral("とくに 年/月/日 の指定が正しく入力されているかチェック願います｡ "));
}

} // namespace hibimo
