#include "generation/ListRules.h"

#include "calendar/TextNumber.h"

#include <QDate>

namespace hibimo {

namespace {

constexpr QStringView Weekdays = u"日月火水木金土";

// The one difference between the two readings: the editor has always let an upper-case "W" pass as
// the weekday mark, while generation reads only "w" and takes such an entry as a fixed date.
bool weekdayMark(QStringView c, ListReading reading) {
    return c == u"w" || (reading == ListReading::Editor && c == u"W");
}

bool validDay(int month, int day) {
    return month >= 1 && month <= 12 && day >= 0 && day <= 31;
}

// Two ASCII digits, the first within [low, high]: full-width digits would be read as 0 by generation.
std::optional<int> twoDigitsFrom(QStringView body, qsizetype i, char high) {
    if (i + 2 > body.size() || body[i] > QLatin1Char(high))
        return std::nullopt;
    return asciiDigits(body.sliced(i, 2));
}

bool monthOk(QStringView body, qsizetype i) {
    const std::optional<int> month = twoDigitsFrom(body, i, '1');
    return month && *month >= 1 && *month <= 12;
}

// Day 00 passes on purpose: the lists have always accepted it.
bool dayOk(QStringView body, qsizetype i) {
    const std::optional<int> day = twoDigitsFrom(body, i, '3');
    return day && *day <= 31;
}

// A yearly date that no year has (30 February, 31 April) would be stored and never shown; 29
// February and the day-00 slot stay allowed.
bool dayInSomeYear(QStringView body) {
    const int day = numberFromText(body.sliced(3, 2));
    return day == 0 || QDate(2000, numberFromText(body.first(2)), day).isValid();
}

// The forms a year range can stand in front of, as the editor accepts them.
bool editorAcceptsDatePart(QStringView body) {
    if (isBetweenDaysRule(body) || equinoxMonthOf(body) != 0 || sunRuleOf(body))
        return true;
    if (body.size() < DatePartLength || !monthOk(body, 0))
        return false;
    if (body[2] == QLatin1Char('/'))
        return dayOk(body, 3) && dayInSomeYear(body);
    if (!weekdayMark(body.sliced(2, 1), ListReading::Editor))
        return false;
    const int week = asciiDigits(body.sliced(3, 1)).value_or(0);
    return week >= 1 && week <= 5 && Weekdays.contains(body[4]);
}

// A one-off date must exist, unlike the yearly forms: it can only be a slip.
bool editorAcceptsHoliday(QStringView body) {
    if (const std::optional<OneOffDate> date = oneOffDateOf(body))
        return QDate(date->year, date->month, date->day).isValid();
    if (const std::optional<YearRange> range = yearRangeOf(body))
        return range->from <= range->until && editorAcceptsDatePart(body.sliced(YearRangeLength));
    return editorAcceptsDatePart(body);
}

bool editorAcceptsAnniversary(QStringView body) {
    return body.size() >= 10 && body[4] == QLatin1Char('/') && monthOk(body, 5) && dayOk(body, 8);
}

// The next carriage return at or after a position, found once per line even when many stars share a
// line.
class LineEnds {
  public:
    explicit LineEnds(QStringView text) : text_(text) {}
    qsizetype at(qsizetype pos) {
        if (end_ < pos) {
            end_ = text_.indexOf(u'\r', pos);
            if (end_ < 0)
                end_ = text_.size();
        }
        return end_;
    }

  private:
    QStringView text_;
    qsizetype end_ = -1;
};

// Walks the entries as the lists have always been read: every "*" after the start of the previous
// body begins an entry, also one inside a name or a comment, and a body runs to the next carriage
// return. A text without any star is one body from its start where `starless` allows it.
template <class Read> ListFault walkEntries(QStringView text, bool redStars, bool starless, Read read) {
    qsizetype star = text.indexOf(u'*');
    if (star < 0 && !starless)
        return {1, -1, 0};
    LineEnds lineEnds(text);
    qsizetype body = star + 1;
    for (int n = 1;; ++n) {
        const bool red = redStars && body < text.size() && text[body] == u'*';
        if (red)
            ++body;
        const qsizetype end = lineEnds.at(body);
        if (!read(text.sliced(body, end - body), red)) {
            const qsizetype start = std::max<qsizetype>(star, 0);
            return {n, start, end - start};
        }
        star = text.indexOf(u'*', body);
        if (star < 0)
            return {};
        body = star + 1;
    }
}

class HolidayReader {
  public:
    explicit HolidayReader(ListReading reading) : reading_(reading) {}
    bool read(QStringView body, bool red) {
        if (reading_ == ListReading::Editor && !editorAcceptsHoliday(body))
            return false;
        std::optional<HolidayRule> rule = ruleOf(body);
        if (!rule)
            return false;
        rule->red = red;
        rules.push_back(*rule);
        return true;
    }
    std::vector<HolidayRule> rules;

  private:
    std::optional<HolidayRule> ruleOf(QStringView body);
    std::optional<HolidayRule> dateRuleOf(HolidayRule rule, QStringView line);

    ListReading reading_;
    // Keeps its value from one weekday rule to the next, as the rule language always has, whether
    // the rule's years include a given year or not.
    int weekday_ = 0;
};

std::optional<HolidayRule> HolidayReader::ruleOf(QStringView body) {
    HolidayRule rule;
    if (const std::optional<OneOffDate> date = oneOffDateOf(body)) {
        if (!validDay(date->month, date->day))
            return std::nullopt;
        rule.kind = HolidayRule::OneOff;
        rule.year = date->year;
        rule.month = date->month;
        rule.day = date->day;
        rule.name = textChars(body, OneOffLength, body.size());
        return rule;
    }
    QStringView line = body;
    if (const std::optional<YearRange> range = yearRangeOf(line)) {
        rule.years = *range;
        line = line.sliced(YearRangeLength);
    }
    if (const std::optional<SunRule> sun = sunRuleOf(line)) {
        rule.kind = HolidayRule::Sun;
        rule.sun = *sun;
        rule.name = textChars(line, sun->length, line.size());
        return rule;
    }
    rule.name = textChars(line, DatePartLength, line.size());
    if (isBetweenDaysRule(line)) {
        rule.kind = HolidayRule::BetweenDays;
        return rule;
    }
    return dateRuleOf(rule, line);
}

// A fixed date, an n-th weekday or an equinox; nothing when its month or day is out of range.
std::optional<HolidayRule> HolidayReader::dateRuleOf(HolidayRule rule, QStringView line) {
    rule.month = numberFromText(textChars(line, 0, 2));
    if (rule.month < 1 || rule.month > 12)
        return std::nullopt;
    if (equinoxMonthOf(line) != 0) {
        rule.kind = HolidayRule::Equinox;
        return rule;
    }
    if (weekdayMark(textChars(line, 2, 1), ListReading::Generation)) {
        rule.kind = HolidayRule::Weekday;
        rule.week = numberFromText(textChars(line, 3, 1));
        const QStringView weekdayChar = textChars(line, 4, 1);
        if (!weekdayChar.isEmpty() && Weekdays.contains(weekdayChar[0]))
            weekday_ = static_cast<int>(Weekdays.indexOf(weekdayChar[0])) + 1;
        rule.weekday = weekday_;
        return rule;
    }
    rule.day = numberFromText(textChars(line, 3, 2));
    if (!validDay(rule.month, rule.day))
        return std::nullopt;
    return rule;
}

std::optional<AnniversaryRule> anniversaryOf(QStringView body, ListReading reading) {
    if (reading == ListReading::Editor && !editorAcceptsAnniversary(body))
        return std::nullopt;
    const AnniversaryRule rule{numberFromText(textChars(body, 5, 2)), numberFromText(textChars(body, 8, 2)),
                               textChars(body, 2, 2), textChars(body, 10, body.size())};
    if (!validDay(rule.month, rule.day))
        return std::nullopt;
    return rule;
}

} // namespace

ParsedList<HolidayRule> parseHolidayList(QStringView text, ListReading reading) {
    HolidayReader reader(reading);
    ParsedList<HolidayRule> list;
    list.fault =
        walkEntries(text, true, false, [&](QStringView body, bool red) { return reader.read(body, red); });
    list.rules = std::move(reader.rules);
    return list;
}

// Generation has always taken a list without any star as one entry from its start.
ParsedList<AnniversaryRule> parseAnniversaryList(QStringView text, ListReading reading) {
    ParsedList<AnniversaryRule> list;
    list.fault = walkEntries(text, false, reading == ListReading::Generation, [&](QStringView body, bool) {
        const std::optional<AnniversaryRule> rule = anniversaryOf(body, reading);
        if (rule)
            list.rules.push_back(*rule);
        return rule.has_value();
    });
    return list;
}

} // namespace hibimo
