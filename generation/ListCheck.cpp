#include "generation/ListCheck.h"

#include "calendar/Cp932.h"
#include "generation/RuleForms.h"

#include <QDate>
#include <QStringView>
#include <algorithm>

namespace hibimo {

namespace {

constexpr qsizetype HolidayExcerptLength = 20;
constexpr qsizetype AnniversaryExcerptLength = 25;

// Only ASCII digits count: full-width digits would be read as 0 by generation.
bool digitIn(QStringView body, qsizetype i, char low, char high) {
    return i < body.size() && body[i] >= QLatin1Char(low) && body[i] <= QLatin1Char(high);
}

int twoDigits(QStringView body, qsizetype i) {
    return (body[i].unicode() - '0') * 10 + (body[i + 1].unicode() - '0');
}

bool monthOk(QStringView body, qsizetype i) {
    if (!digitIn(body, i, '0', '1') || !digitIn(body, i + 1, '0', '9'))
        return false;
    const int month = twoDigits(body, i);
    return month >= 1 && month <= 12;
}

// Day 00 passes on purpose: the lists have always accepted it.
bool dayOk(QStringView body, qsizetype i) {
    if (!digitIn(body, i, '0', '3') || !digitIn(body, i + 1, '0', '9'))
        return false;
    return twoDigits(body, i) <= 31;
}

// The forms a year range can stand in front of.
bool datePartOk(QStringView body) {
    if (isBetweenDaysRule(body) || equinoxMonthOf(body) != 0 || sunRuleOf(body))
        return true;
    if (body.size() < 5 || !monthOk(body, 0))
        return false;
    if (body[2] == QLatin1Char('/'))
        return dayOk(body, 3);
    if (body[2] != QLatin1Char('w') && body[2] != QLatin1Char('W'))
        return false;
    return digitIn(body, 3, '1', '5') && QStringView(u"月火水木金土日").contains(body[4]);
}

// A one-off date must exist, unlike the yearly forms: 30 February of every year is a slot the lists
// have always accepted, but one of a single year can only be a slip.
bool holidayBodyOk(QStringView body) {
    if (const std::optional<OneOffDate> date = oneOffDateOf(body))
        return QDate(date->year, date->month, date->day).isValid();
    if (const std::optional<YearRange> range = yearRangeOf(body))
        return range->from <= range->until && datePartOk(body.sliced(YearRangeLength));
    return datePartOk(body);
}

bool anniversaryBodyOk(QStringView body) {
    return body.size() >= 10 && body[4] == QLatin1Char('/') && monthOk(body, 5) && dayOk(body, 8);
}

ListCheckResult failure(int entry, QString excerpt) {
    ListCheckResult result;
    result.ok = false;
    result.entry = entry;
    result.excerpt = std::move(excerpt);
    return result;
}

// Walks the entries as year generation does: every "*" after the start of the previous body begins
// an entry, also one inside a name, and a body runs to the next carriage return. Checking fewer
// stars than generation reads would let a list through that generation then refuses.
ListCheckResult checkList(const QString& text, bool redStars, qsizetype excerptLength,
                          bool (*bodyOk)(QStringView)) {
    const QString t = trimListText(text);
    if (const QString bad = unencodableCp932(t); !bad.isEmpty()) {
        ListCheckResult result;
        result.ok = false;
        result.unencodable = bad;
        return result;
    }
    qsizetype star = t.indexOf(QLatin1Char('*'));
    if (star < 0)
        return failure(1, {});
    for (int n = 1; star >= 0; ++n) {
        qsizetype lineEnd = t.indexOf(QLatin1Char('\r'), star);
        if (lineEnd < 0)
            lineEnd = t.size();
        qsizetype bodyStart = star + 1;
        if (redStars && bodyStart < lineEnd && t[bodyStart] == QLatin1Char('*'))
            ++bodyStart;
        const QStringView body = QStringView(t).mid(bodyStart, lineEnd - bodyStart);
        if (!bodyOk(body))
            return failure(n, t.mid(star, std::min(lineEnd - star, excerptLength)));
        star = t.indexOf(QLatin1Char('*'), bodyStart);
    }
    return {};
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
    return checkList(text, true, HolidayExcerptLength, holidayBodyOk);
}

ListCheckResult checkAnniversaryList(const QString& text) {
    return checkList(text, false, AnniversaryExcerptLength, anniversaryBodyOk);
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
