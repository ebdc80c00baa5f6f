#include "calendar/JapaneseEra.h"

#include <gtest/gtest.h>

namespace hibimo {
namespace {

TEST(JapaneseEra, DaysAndYears) {
    const std::tuple<QDate, const char*, const char*> cases[] = {
        {{1989, 1, 7}, "昭和64年", "昭和64年／平成元年"},
        {{1989, 1, 8}, "平成元年", "昭和64年／平成元年"},
        {{1990, 6, 1}, "平成2年", "平成2年"},
        {{2019, 4, 30}, "平成31年", "平成31年／令和元年"},
        {{2019, 5, 1}, "令和元年", "平成31年／令和元年"},
        {{2027, 1, 1}, "令和9年", "令和9年"},
        {{1926, 12, 25}, "昭和元年", "大正15年／昭和元年"},
        {{1872, 12, 31}, "", ""},
    };
    for (const auto& [date, day, year] : cases)
        EXPECT_EQ(QStringList({warekiOf(date), warekiYearText(date.year())}),
                  QStringList({QString::fromUtf8(day), QString::fromUtf8(year)}))
            << date.toString(Qt::ISODate).toStdString();
}

} // namespace
} // namespace hibimo
