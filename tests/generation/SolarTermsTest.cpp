#include "generation/SolarTerms.h"

#include "generation/RuleForms.h"
#include "generation/YearGeneration.h"

#include <QDateTime>
#include <QFile>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

// The seasonal days of the table as the delivered list writes them.
const char* ruleOf(const QString& name) {
    static const struct {
        const char* name;
        const char* rule;
    } rules[] = {{"節分", "*立春-001節分"},
                 {"彼岸入り", "*春分-003彼岸入り"},
                 {"八十八夜", "*立春+087八十八夜"},
                 {"入梅", "*黄経080入梅"},
                 {"土用の丑の日", "*土用丑117土用の丑の日"}};
    for (const auto& r : rules)
        if (name == QString::fromUtf8(r.name))
            return r.rule;
    return nullptr;
}

// The day a one-rule list gives in a year, as "mmdd".
QString generatedDay(const char* rule, int year) {
    YearItems items;
    if (!generateYear(items, QString::fromUtf8(rule), u"*2000/01/00", year))
        return QStringLiteral("refused");
    for (const MonthItems& month : items)
        for (const auto& day : month)
            if (!day[0].isEmpty())
                return day[0].left(4);
    return {};
}

TEST(SolarTerms, DaysAndMomentsAreThoseOfThePublishedTables) {
    QFile file(QStringLiteral(HIBIMO_SOURCE_DIR "/tests/generation/SolarTerms.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int terms = 0;
    int days = 0;
    double largest[2] = {0, 0}; // through 2050, after it
    QString largestAt[2];
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QString name = line.section(',', 0, 0);
        const QString when = line.section(',', 1);
        SCOPED_TRACE(line.toStdString());
        const QDate date = QDate::fromString(when.left(10), Qt::ISODate);
        ASSERT_TRUE(date.isValid());
        if (when.size() == 10) {
            const char* rule = ruleOf(name);
            ASSERT_TRUE(rule);
            EXPECT_EQ(generatedDay(rule, date.year()), date.toString("MMdd"));
            ++days;
            continue;
        }
        const int degrees = solarTermDegrees(name);
        ASSERT_GE(degrees, 0);
        SolarDays solar;
        EXPECT_EQ(solar.dayOfLongitude(date.year(), degrees), date);
        const QTime time = QTime::fromString(when.mid(11), when.size() > 16 ? "hh:mm:ss" : "hh:mm");
        const double published = date.toJulianDay() - 0.5 + time.msecsSinceStartOfDay() / 86400000.0;
        const double minutes = (jstMomentOfLongitude(date.year(), degrees).value() - published) * 1440;
        // After 2050 the clock correction TT − UT is a forecast, and the table's ephemeris keeps today's
        // value where ours grows: the times differ by the same amount all that year.
        EXPECT_LT(std::abs(minutes), date.year() <= 2050 ? 1.0 : 2.5);
        const int after = date.year() > 2050 ? 1 : 0;
        if (std::abs(minutes) > std::abs(largest[after])) {
            largest[after] = minutes;
            largestAt[after] = line;
        }
        ++terms;
    }
    EXPECT_GT(terms, 280);
    EXPECT_EQ(days, 6);
    std::printf("%d solar terms compared; largest difference %.2f minutes through 2050 (%s), %.2f after "
                "(%s); %d seasonal days\n",
                terms, largest[0], qPrintable(largestAt[0]), largest[1], qPrintable(largestAt[1]), days);
}

// The equinox days of the holidays come from the observatory's formula; the sun must agree with it.
TEST(SolarTerms, EquinoxDaysAreTheFormulasFrom1900To2099) {
    QStringList differing;
    for (int year = 1900; year <= 2099; ++year) {
        SolarDays solar;
        for (const auto& [degrees, month] : {std::pair{0, 3}, std::pair{180, 9}})
            if (solar.dayOfLongitude(year, degrees) != QDate(year, month, equinoxDay(year, month)))
                differing << QString::number(year) + "/" + QString::number(month);
    }
    EXPECT_EQ(differing, QStringList());
    for (int year : {1899, 2151})
        EXPECT_FALSE(jstMomentOfLongitude(year, 0));
}

// A day is taken from the rough moment unless it lies near midnight, so the rough moment must stay
// well inside that margin in every year, for the terms and for the longitudes of the seasonal days.
TEST(SolarTerms, TheRoughMomentIsWithinTwentyMinutesOfTheExactOne) {
    double largest = 0;
    for (int year = FirstSolarYear; year <= LastSolarYear; ++year)
        for (int degrees = 0; degrees < 360; ++degrees) {
            if (degrees % 15 != 0 && degrees % 90 != 27 && degrees != 80 && degrees != 100)
                continue;
            const double minutes = (roughJstMomentOfLongitude(year, degrees).value() -
                                    jstMomentOfLongitude(year, degrees).value()) *
                                   1440;
            largest = std::max(largest, std::abs(minutes));
        }
    EXPECT_LT(largest, 20.0);
    std::printf("largest rough difference %.2f minutes\n", largest);
}

} // namespace
} // namespace hibimo
