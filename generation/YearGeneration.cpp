#include "generation/YearGeneration.h"

#include "calendar/CalendarModule.h"
#include "calendar/Records.h"
#include "calendar/TextNumber.h"
#include "calendar/YearFile.h"
#include "generation/GenerationMessages.h"
#include "generation/ListFiles.h"
#include "generation/ListRules.h"
#include "generation/RuleForms.h"
#include "generation/SolarTerms.h"
#include "generation/YearLoading.h"
#include "toolkit/Interaction.h"

#include <QDate>
#include <QDir>
#include <QRegularExpression>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace hibimo {

namespace {

constexpr QStringView Colon = u":";
constexpr QStringView NextName = u"\r\n・";
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

// The entries of one kind being built, made only for the days that get one: a year has some
// hundred of its 384 slots in use, and each builder costs allocations.
class Builders {
  public:
    Builders() { index_.fill(-1); }
    EntryBuilder& at(int monthIndex, int day) {
        std::int16_t& i = index_[monthIndex * 32 + day];
        if (i < 0) {
            i = static_cast<std::int16_t>(builders_.size());
            builders_.emplace_back();
            slots_.push_back(monthIndex * 32 + day);
        }
        return builders_[i];
    }
    // Stores every entry built into its slot of the kind.
    void storeInto(YearItems& items, int kind) const {
        for (std::size_t i = 0; i < builders_.size(); ++i)
            items[slots_[i] / 32][slots_[i] % 32][kind] = builders_[i].text();
    }

  private:
    std::array<std::int16_t, 12 * 32> index_;
    std::deque<EntryBuilder> builders_;
    std::vector<int> slots_;
};

bool isRed(const QString& mark) {
    return mark.size() >= 6 && mark[5] == QLatin1Char('#');
}

// "mmdd" and a kind digit, without the allocations of formatting numbers: every generated entry
// and red flag starts with one.
QString entryKey(int month, int day, char kind) {
    const char16_t key[] = {char16_t(u'0' + month / 10), char16_t(u'0' + month % 10),
                            char16_t(u'0' + day / 10), char16_t(u'0' + day % 10), char16_t(kind)};
    return QString(reinterpret_cast<const QChar*>(key), 5);
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

    void expandHolidays(const std::vector<HolidayRule>& rules);
    void expandAnniversaries(const std::vector<AnniversaryRule>& rules);
    void moveSubstitutes();
    void addBetweenDays();

    void finish() {
        pub_.storeInto(items_, 0);
        priv_.storeInto(items_, 1);
    }

  private:
    struct BetweenDayRule {
        QStringView name;
        bool red;
    };

    int dayOf(const HolidayRule& rule) const;
    QDate dayOfSunRule(const SunRule& rule);
    void addRuleHoliday(int month, int day, QStringView name, bool red);
    void addHoliday(int month, int day, QStringView name, bool red);
    void writeRedFlag(int month, int day) {
        QString& mark = items_[month - 1][day][2];
        QString flagged = entryKey(month, day, '2');
        flagged += QLatin1Char('#');
        flagged += QStringView(mark).mid(6);
        mark = std::move(flagged);
    }

    YearItems& items_;
    int year_;
    std::array<int, 13> firstWeekday_{};
    Builders pub_;
    Builders priv_;
    // The red days the rules themselves give, before any substitute moves a flag: the days a
    // citizens' holiday must lie between.
    std::array<bool, 12 * 32> ruleRed_{};
    std::vector<BetweenDayRule> betweenDayRules_;
    SolarDays solarDays_;
};

void Generation::expandHolidays(const std::vector<HolidayRule>& rules) {
    for (const HolidayRule& rule : rules) {
        if (!rule.years.contains(year_) || (rule.kind == HolidayRule::OneOff && rule.year != year_))
            continue;
        if (rule.kind == HolidayRule::BetweenDays) {
            betweenDayRules_.push_back({rule.name, rule.red});
        } else if (rule.kind == HolidayRule::Sun) {
            if (const QDate day = dayOfSunRule(rule.sun); day.isValid())
                addRuleHoliday(day.month(), day.day(), rule.name, rule.red);
        } else if (const int day = dayOf(rule); day > 0) {
            addRuleHoliday(rule.month, day, rule.name, rule.red);
        }
    }
}

// The day of a dated rule this year: 0 when it names none (day 00, the month memo's slot; a week the
// month does not have; an equinox outside the formula's years).
int Generation::dayOf(const HolidayRule& rule) const {
    if (rule.kind == HolidayRule::Equinox)
        return equinoxDay(year_, rule.month);
    if (rule.kind != HolidayRule::Weekday)
        return rule.day;
    const int first = firstWeekday_[rule.month];
    const int day = rule.weekday >= first ? 7 * (rule.week - 1) + (rule.weekday - first) + 1
                                          : 7 * rule.week + (rule.weekday - first) + 1;
    return day < 1 || day > 31 ? 0 : day;
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
    EntryBuilder& entry = pub_.at(month - 1, day);
    if (!entry.used()) {
        entry.start(entryKey(month, day, '0'), name);
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

void Generation::expandAnniversaries(const std::vector<AnniversaryRule>& rules) {
    for (const AnniversaryRule& rule : rules) {
        if (rule.day == 0)
            continue;
        // Someone born on 29 February still has a birthday in a common year: the day before March.
        const int day = rule.month == 2 && rule.day == 29 && !QDate::isLeapYear(year_) ? 28 : rule.day;
        EntryBuilder& entry = priv_.at(rule.month - 1, day);
        if (!entry.used()) {
            entry.start(entryKey(rule.month, day, '1'), rule.name);
        } else {
            entry.putInFront(Colon);
            entry.back() += NextName;
            entry.back() += rule.name;
        }
        entry.back() += QLatin1Char('\'');
        entry.back() += rule.yearSuffix;
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
            EntryBuilder& entry = pub_.at(next.month() - 1, next.day());
            const QString key = entryKey(next.month(), next.day(), '0');
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
    const ParsedList<HolidayRule> holidays = parseHolidayList(holyText, ListReading::Generation);
    const ParsedList<AnniversaryRule> anniversaries =
        parseAnniversaryList(birthText, ListReading::Generation);
    if (!holidays.ok() || !anniversaries.ok())
        return false;
    // Nothing can fail from here on: the tables are generated in place.
    Generation generation(items, year);
    generation.clear();
    generation.expandHolidays(holidays.rules);
    generation.expandAnniversaries(anniversaries.rules);
    generation.moveSubstitutes();
    generation.addBetweenDays();
    generation.finish();
    return true;
}

QStringList otherYearsWithFiles(const CalendarModule& m) {
    static const QRegularExpression yearFile(QStringLiteral("^HB(\\d{4})\\.hbd$"));
    QStringList years;
    for (const QString& name : QDir(m.folder).entryList(QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch match = yearFile.match(name);
        if (match.hasMatch() && numberFromText(match.captured(1)) != numberFromText(m.LoadedYear))
            years << match.captured(1);
    }
    return years;
}

QStringList regenerateYearFiles(CalendarModule& m, const QStringList& years) {
    HolyLoad(m);
    BirthLoad(m);
    QStringList failed;
    for (const QString& year : years) {
        const QString path = yearFilePath(m, year);
        const std::optional<QByteArray> bytes = readFileBytes(path);
        YearItems items{};
        YearLines pub{};
        YearLines priv{};
        if (!bytes || readYearTables(*bytes, items, pub, priv) != 0 ||
            !generateYear(items, m.HolyText, m.BirthText, numberFromText(year)) ||
            !writeTextFile(path, yearFileText(items, pub, priv))) {
            failed << year;
            continue;
        }
        if (m.yearSaved)
            m.yearSaved(year);
    }
    return failed;
}

void YearMake(CalendarModule& m, const QString& yyyy) {
    HolyLoad(m);
    BirthLoad(m);
    if (!generateYear(m.DayItem, m.HolyText, m.BirthText, numberFromText(yyyy))) {
        m.ui.message(generationText::failed(yyyy));
        m.ui.endProgram();
    }
    m.LoadedYear = yyyy.trimmed();
    PCwrite(m, m.LoadedYear);
}

} // namespace hibimo
