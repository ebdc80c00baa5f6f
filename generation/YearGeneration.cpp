#include "generation/YearGeneration.h"

#include "calendar/CalendarModule.h"
#include "calendar/TextNumber.h"
#include "calendar/YearFile.h"
#include "generation/ListFiles.h"
#include "generation/RuleForms.h"
#include "generation/SolarTerms.h"
#include "toolkit/Interaction.h"

#include <QDate>
#include <optional>
#include <vector>

namespace hibimo {

namespace {

constexpr QStringView Colon = u":";
constexpr QStringView NextName = u"\r\n・";
constexpr QStringView Weekdays = u"日月火水木金土";
const QString SubstituteText = QStringLiteral(" 前日の振休");

// A generated entry as the joins build it. A plain join appends and a red join puts its name in
// front; keeping the front pieces in reverse order lets both grow without copying the text so far,
// so that a day with thousands of rules still costs linear time.
class EntryBuilder {
  public:
    bool used() const { return used_; }
    void start(QString key, QStringView content) {
        used_ = true;
        key_ = std::move(key);
        back_ = content.toString();
    }
    void setKey(QString key) { key_ = std::move(key); }
    void putInFront(QStringView piece) { front_.push_back(piece); }
    QString& back() { return back_; }

    QString text() const {
        if (!used_)
            return {};
        QString text = key_;
        for (auto piece = front_.rbegin(); piece != front_.rend(); ++piece)
            text += *piece;
        return text + back_;
    }

  private:
    bool used_ = false;
    QString key_;
    std::vector<QStringView> front_;
    QString back_;
};

using Builders = std::array<std::array<EntryBuilder, 32>, 12>;

// The next carriage return at or after a position, found once per line even when many stars
// share a line.
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

bool isRed(const QString& mark) {
    return mark.size() >= 6 && mark[5] == QLatin1Char('#');
}

QString mmdd(int month, int day) {
    return twoDigits(month) + twoDigits(day);
}

bool validDay(int month, int day) {
    return month >= 1 && month <= 12 && day >= 0 && day <= 31;
}

int dayIndex(int month, int day) {
    return (month - 1) * 32 + day;
}

// Substitute holidays as the law had them on the date of the red Sunday.
enum class Substitute { None, NextDay, NextDayNotRed };

Substitute substituteOn(const QDate& sunday) {
    if (sunday < QDate(1973, 4, 12))
        return Substitute::None;
    if (sunday.year() < 2007)
        return Substitute::NextDay;
    return Substitute::NextDayNotRed;
}

// Sunday = 1 .. Saturday = 7.
int weekdayNumber(const QDate& date) {
    return date.dayOfWeek() % 7 + 1;
}

class Generation {
  public:
    Generation(YearItems& items, int year) : items_(items), year_(year) {
        for (int month = 1; month <= 12; ++month)
            firstWeekday_[month] = weekdayNumber(QDate(year, month, 1));
    }

    void clear() {
        for (MonthItems& month : items_)
            for (int d = 1; d <= 31; ++d) {
                month[d][0].clear();
                month[d][1].clear();
                QString& mark = month[d][2];
                if (mark.size() < 7)
                    mark.clear();
                else
                    mark[5] = QLatin1Char(' ');
            }
    }

    bool expandHolidays(QStringView text);
    bool expandAnniversaries(QStringView text);
    void moveSubstitutes();
    void addBetweenDays();

    void finish() {
        for (int mi = 0; mi < 12; ++mi)
            for (int d = 1; d <= 31; ++d) {
                items_[mi][d][0] = pub_[mi][d].text();
                items_[mi][d][1] = priv_[mi][d].text();
            }
    }

  private:
    struct BetweenDayRule {
        QStringView name;
        bool red;
    };

    bool expandHoliday(QStringView line, bool red);
    std::optional<int> dayOfRule(QStringView line);
    QDate dayOfSunRule(const SunRule& rule);
    void addRuleHoliday(int month, int day, QStringView name, bool red);
    void addHoliday(int month, int day, QStringView name, bool red);
    void writeRedFlag(int month, int day) {
        QString& mark = items_[month - 1][day][2];
        mark = mmdd(month, day) + QStringLiteral("2#") + mark.mid(6);
    }

    YearItems& items_;
    int year_;
    std::array<int, 13> firstWeekday_{};
    // Keeps its value from one weekday rule to the next, as the rule language always has.
    int weekday_ = 0;
    Builders pub_;
    Builders priv_;
    // The red days the rules themselves give, before any substitute moves a flag: the days a
    // citizens' holiday must lie between.
    std::array<bool, 12 * 32> ruleRed_{};
    std::vector<BetweenDayRule> betweenDayRules_;
    SolarDays solarDays_;
};

bool Generation::expandHolidays(QStringView text) {
    qsizetype star = text.indexOf(u'*');
    if (star < 0)
        return false;
    LineEnds lineEnds(text);
    while (star >= 0) {
        qsizetype body = star + 1;
        const bool red = body < text.size() && text[body] == u'*';
        if (red)
            ++body;
        if (!expandHoliday(text.sliced(body, lineEnds.at(body) - body), red))
            return false;
        // A star anywhere, in a name or a comment too, starts the next entry.
        star = text.indexOf(u'*', body);
    }
    return true;
}

bool Generation::expandHoliday(QStringView line, bool red) {
    if (const std::optional<OneOffDate> date = oneOffDateOf(line)) {
        if (!validDay(date->month, date->day))
            return false;
        if (date->year == year_ && date->day > 0)
            addRuleHoliday(date->month, date->day, textChars(line, OneOffLength, line.size()), red);
        return true;
    }
    bool inYear = true;
    if (const std::optional<YearRange> range = yearRangeOf(line)) {
        inYear = range->contains(year_);
        line = line.sliced(YearRangeLength);
    }
    if (const std::optional<SunRule> sun = sunRuleOf(line)) {
        // Only a rule of this year costs the sun's position.
        if (const QDate day = inYear ? dayOfSunRule(*sun) : QDate(); day.isValid())
            addRuleHoliday(day.month(), day.day(), textChars(line, sun->length, line.size()), red);
        return true;
    }
    const QStringView name = textChars(line, DatePartLength, line.size());
    if (isBetweenDaysRule(line)) {
        if (inYear)
            betweenDayRules_.push_back({name, red});
        return true;
    }
    // The rule is read whole in every year, so that a faulty one fails in all years alike and a
    // weekday rule passes its weekday on whether its years include this one or not.
    const std::optional<int> day = dayOfRule(line);
    if (!day)
        return false;
    if (inYear && *day > 0)
        addRuleHoliday(numberFromText(textChars(line, 0, 2)), *day, name, red);
    return true;
}

// The day of a fixed-date, n-th weekday or equinox rule this year: 0 when the rule names no day this
// year (day 00, a week the month does not have, an equinox outside the formula's years), nothing
// when the rule is faulty.
std::optional<int> Generation::dayOfRule(QStringView line) {
    const int month = numberFromText(textChars(line, 0, 2));
    if (month < 1 || month > 12)
        return std::nullopt;
    if (equinoxMonthOf(line) != 0)
        return equinoxDay(year_, month);
    if (textChars(line, 2, 1) == u"w") {
        const int week = numberFromText(textChars(line, 3, 1));
        const QStringView weekdayChar = textChars(line, 4, 1);
        if (!weekdayChar.isEmpty() && Weekdays.contains(weekdayChar[0]))
            weekday_ = static_cast<int>(Weekdays.indexOf(weekdayChar[0])) + 1;
        const int first = firstWeekday_[month];
        const int day =
            weekday_ >= first ? 7 * (week - 1) + (weekday_ - first) + 1 : 7 * week + (weekday_ - first) + 1;
        // A week that does not exist in this month (a sixth Monday, week 0) has no day this year.
        return day < 1 || day > 31 ? 0 : day;
    }
    const int day = numberFromText(textChars(line, 3, 2));
    if (!validDay(month, day))
        return std::nullopt;
    // Day 0 is the month memo's slot, never a holiday.
    return day;
}

// The day this year, or an invalid date when the rule names none (outside the sun's years, or a
// count of days that leaves the year). A count can reach into this year from the term of another.
QDate Generation::dayOfSunRule(const SunRule& rule) {
    if (rule.kind == SunRule::Longitude)
        return solarDays_.dayOfLongitude(year_, rule.degrees);
    if (rule.kind == SunRule::FirstOxDay) {
        const QDate start = solarDays_.dayOfLongitude(year_, rule.degrees);
        if (!start.isValid())
            return {};
        // The day branches repeat every 12 days, and 丑 falls on the Julian day numbers divisible
        // by 12 (24 July 2024 was one).
        const QDate ox = start.addDays((12 - start.toJulianDay() % 12) % 12);
        return ox.year() == year_ ? ox : QDate();
    }
    int termYear = year_;
    for (int tries = 0; tries < 4; ++tries) {
        const QDate term = solarDays_.dayOfLongitude(termYear, rule.degrees);
        if (!term.isValid())
            return {};
        const QDate day = term.addDays(rule.offset);
        if (day.year() == year_)
            return day;
        termYear += year_ - day.year();
    }
    return {};
}

void Generation::addRuleHoliday(int month, int day, QStringView name, bool red) {
    addHoliday(month, day, name, red);
    if (red)
        ruleRed_[dayIndex(month, day)] = true;
}

void Generation::addHoliday(int month, int day, QStringView name, bool red) {
    EntryBuilder& entry = pub_[month - 1][day];
    if (!entry.used()) {
        entry.start(mmdd(month, day) + QLatin1Char('0'), name);
    } else if (red) {
        entry.putInFront(NextName);
        entry.putInFront(name);
        entry.putInFront(Colon);
    } else {
        entry.putInFront(Colon);
        entry.back() += NextName;
        entry.back() += name;
    }
    if (red)
        writeRedFlag(month, day);
}

bool Generation::expandAnniversaries(QStringView text) {
    const qsizetype first = text.indexOf(u'*');
    qsizetype body = first < 0 ? 0 : first + 1;
    LineEnds lineEnds(text);
    for (;;) {
        const QStringView line = text.sliced(body, lineEnds.at(body) - body);
        const int month = numberFromText(textChars(line, 5, 2));
        const int day = numberFromText(textChars(line, 8, 2));
        if (month < 1 || month > 12 || day < 0 || day > 31)
            return false;
        if (day > 0) {
            const QStringView year = textChars(line, 2, 2);
            const QStringView name = textChars(line, 10, line.size());
            EntryBuilder& entry = priv_[month - 1][day];
            if (!entry.used()) {
                entry.start(mmdd(month, day) + QLatin1Char('1'), name);
            } else {
                entry.putInFront(Colon);
                entry.back() += NextName;
                entry.back() += name;
            }
            entry.back() += QLatin1Char('\'');
            entry.back() += year;
        }
        const qsizetype star = text.indexOf(u'*', body);
        if (star < 0)
            return true;
        body = star + 1;
    }
}

void Generation::moveSubstitutes() {
    for (int mi = 0; mi < 12; ++mi)
        for (int d = 1; d <= 31; ++d) {
            QString& mark = items_[mi][d][2];
            if (!isRed(mark))
                continue;
            const QDate date(year_, mi + 1, d);
            if (!date.isValid() || date.dayOfWeek() != Qt::Sunday)
                continue;
            const Substitute substitute = substituteOn(date);
            if (substitute == Substitute::None)
                continue;
            // Since 2007 the substitute is the first day after the run of red days, so that a
            // Sunday before other holidays does not fold its substitute into one of them; before,
            // it was the Monday, red or not.
            QDate next = date.addDays(1);
            while (substitute == Substitute::NextDayNotRed && next.year() == year_ &&
                   isRed(items_[next.month() - 1][next.day()][2]))
                next = next.addDays(1);
            // The following year's tables are not in memory: such a substitute is not generated.
            if (next.year() != year_)
                continue;
            writeRedFlag(next.month(), next.day());
            if (mark.size() <= 6)
                mark.clear();
            else
                mark[5] = QLatin1Char(' ');
            EntryBuilder& entry = pub_[next.month() - 1][next.day()];
            const QString key = mmdd(next.month(), next.day()) + QLatin1Char('0');
            if (entry.used())
                entry.setKey(key);
            else
                entry.start(key, {});
            entry.back() += SubstituteText;
        }
}

// Runs after the substitutes: a day that is already a substitute holiday is not also a citizens'
// holiday, and the Sunday whose flag moved still counts as one of the two red days around it.
void Generation::addBetweenDays() {
    if (betweenDayRules_.empty())
        return;
    struct Day {
        int month;
        int day;
    };
    std::array<Day, 366> days{};
    int count = 0;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1, last = QDate(year_, month, 1).daysInMonth(); day <= last; ++day)
            days[count++] = {month, day};
    const auto ruleRed = [&](int i) { return ruleRed_[dayIndex(days[i].month, days[i].day)]; };
    // The first and last day of the year have a neighbour in another year, whose rules are not read.
    for (int i = 1; i + 1 < count; ++i) {
        const auto [month, day] = days[i];
        const bool sunday = (firstWeekday_[1] - 1 + i) % 7 == 0;
        if (sunday || isRed(items_[month - 1][day][2]) || !ruleRed(i - 1) || !ruleRed(i + 1))
            continue;
        for (const BetweenDayRule& rule : betweenDayRules_)
            addHoliday(month, day, rule.name, rule.red);
    }
}

} // namespace

bool generateYear(YearItems& items, QStringView holyText, QStringView birthText, int year) {
    if (year < 1 || year > 9999)
        return false;
    YearItems generated = items;
    Generation generation(generated, year);
    generation.clear();
    if (!generation.expandHolidays(holyText) || !generation.expandAnniversaries(birthText))
        return false;
    generation.moveSubstitutes();
    generation.addBetweenDays();
    generation.finish();
    items = std::move(generated);
    return true;
}

void YearMake(CalendarModule& m, const QString& yyyy) {
    HolyLoad(m);
    BirthLoad(m);
    if (!generateYear(m.DayItem, m.HolyText, m.BirthText, numberFromText(yyyy))) {
        m.ui.message(
            QStringLiteral("カレンダーの作成に失敗しまた。HB") + yyyy +
            QStringLiteral(".hbd の内容に誤りがある可能性があります。") +
            QStringLiteral("一旦 このファイルを消去して再立ち上げを実施願います。それでもエラーが出る場合は "
                           "祝祭日など(HBHolyD.dat) or 誕生日など(HBBirth.dat) ") +
            QStringLiteral(
                "の記載様式に誤りがある可能性があります。再インストールしてみて下さい。再インストールするとオ"
                "リジナルの正しい HBHolyD.dat、HBBirth.datファイルで上書きされます。") +
            QStringLiteral("なお、各ファイルはいずれもテキストファイルです。これらのファイルの不正部分がわか"
                           "れ､再インストールするまでもなく､その部分を修正することも可能です｡"));
        m.ui.endProgram();
    }
    m.LoadedYear = yyyy.trimmed();
    PCwrite(m, m.LoadedYear);
}

} // namespace hibimo
