#include "generation/SolarTerms.h"

#include "generation/RuleForms.h"
#include "tests/CoreSupport.h"

#include <QMap>
#include <cmath>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

// The seasonal days of the table as the delivered list writes them.
const QMap<QString, QString> SeasonalRules = {
    {"節分", "*立春-001節分"}, {"彼岸入り", "*春分-003彼岸入り"},          {"八十八夜", "*立春+087八十八夜"},
    {"入梅", "*黄経080入梅"},  {"土用の丑の日", "*土用丑117土用の丑の日"},
};

TEST(SolarTerms, DaysAndMomentsAreThoseOfThePublishedTables) {
    int terms = 0;
    int days = 0;
    for (const QString& line : test::tableRows("SolarTerms.csv")) {
        const QString name = line.section(',', 0, 0);
        const QString when = line.section(',', 1);
        SCOPED_TRACE(line.toStdString());
        const QDate date = QDate::fromString(when.left(10), Qt::ISODate);
        ASSERT_TRUE(date.isValid());
        if (when.size() == 10) {
            ASSERT_TRUE(SeasonalRules.contains(name));
            EXPECT_EQ(test::generated(SeasonalRules[name], date.year()).value_or("refused").left(4),
                      date.toString("MMdd"));
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
        ++terms;
    }
    EXPECT_GT(terms, 280);
    EXPECT_EQ(days, 6);
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
    for (int year = FirstSolarYear; year <= LastSolarYear; ++year)
        for (int degrees = 0; degrees < 360; ++degrees)
            if (degrees % 15 == 0 || degrees % 90 == 27 || degrees == 80 || degrees == 100) {
                EXPECT_NEAR(roughJstMomentOfLongitude(year, degrees).value(),
                            jstMomentOfLongitude(year, degrees).value(), 20.0 / 1440)
                    << year << " " << degrees;
            }
}

} // namespace
} // namespace hibimo
