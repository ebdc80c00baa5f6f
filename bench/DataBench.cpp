#include "bench/DataBench.h"

#include "bench/Bench.h"
#include "calendar/Records.h"
#include "calendar/YearFile.h"
#include "dialogs/HbmModule.h"
#include "generation/ListFiles.h"
#include "generation/Lunisolar.h"
#include "generation/SolarTerms.h"
#include "generation/YearGeneration.h"
#include "generation/YearLoading.h"
#include "toolkit/Interaction.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace hibimo::bench {

namespace {

QString deliveredList(const QString& name) {
    return QStringLiteral(HIBIMO_SOURCE_DIR "/data/") + name;
}

// Rules spread over every date: fixed dates and n-th weekdays, one in three red.
QString generatedRules(int count) {
    static const QStringView weekdays = u"日月火水木金土";
    QString text;
    for (int i = 0; i < count; ++i) {
        const int month = i % 12 + 1;
        text += i % 3 == 0 ? QStringLiteral("**") : QStringLiteral("*");
        if (i % 4 == 0)
            text += QStringLiteral("%1w%2").arg(month, 2, 10, QLatin1Char('0')).arg(i / 12 % 4 + 1) +
                    weekdays[i / 48 % 7];
        else
            text += QStringLiteral("%1/%2")
                        .arg(month, 2, 10, QLatin1Char('0'))
                        .arg(i / 12 % 31 + 1, 2, 10, QLatin1Char('0'));
        text += QStringLiteral("祝日%1\r\n").arg(i);
    }
    return text;
}

// The sun's and the moon's days, as the almanac pays for them.
void runAlmanacBenchmarks() {
    // The 24 terms of one year from nothing, as the first generation of a year pays for them: each
    // run takes a year no benchmark before has asked for, since a crossing is computed only once.
    int termYear = FirstSolarYear;
    report("solar_terms_one_year", medianMs(99, [&] {
               SolarDays solar;
               for (int degrees = 0; degrees < 360; degrees += 15)
                   if (!solar.dayOfLongitude(termYear, degrees).isValid())
                       std::abort();
               ++termYear;
           }));
    // One year's lunisolar months from nothing: each run asks for a year the per-thread cache
    // does not hold. Years with a new moon near midnight pay for the full lunar theory too.
    int lunisolarYear = FirstSolarYear;
    report("lunisolar_one_year", medianMs(249, [&] {
               if (monthsBetweenSolstices(++lunisolarYear).empty())
                   std::abort();
           }));
    lunisolarYear = FirstSolarYear;
    report("lunisolar_249_years", medianMs(1, [&] {
               while (lunisolarYear < LastSolarYear)
                   if (monthsBetweenSolstices(++lunisolarYear).empty())
                       std::abort();
           }));
    // A month page's 42 cells once their years are known, as every month step after the first pays.
    report("lunisolar_42_cells", medianMs(101, [&] {
               const QDate first(2033, 11, 27);
               for (int cell = 0; cell < 42; ++cell)
                   if (rokuyoOf(first.addDays(cell)).isEmpty() ||
                       shortLunarText(lunarDateOf(first.addDays(cell))).isEmpty())
                       std::abort();
           }));
}

} // namespace

void runDataBenchmarks() {
    QTemporaryDir dir;
    QuietInteraction ui;
    HbmModule m(dir.path(), ui);
    for (const QString& name : {HolyFileName, BirthFileName})
        QFile::copy(deliveredList(name), m.filePath(name));

    report("yearmake_write_delivered", medianMs(101, [&] { YearMake(m, QStringLiteral("2026")); }));
    report("yearload_delivered", medianMs(101, [&] { YearLoad(m, QStringLiteral("2026")); }));

    const QString holidays = readListFile(m.filePath(HolyFileName)).value_or(QString());
    const QString anniversaries = readListFile(m.filePath(BirthFileName)).value_or(QString());
    report("generate_delivered", medianMs(101, [&] {
               YearItems items;
               generateYear(items, holidays, anniversaries, 2026);
           }));
    report("pcwrite_delivered", medianMs(101, [&] { PCwrite(m, QStringLiteral("2026")); }));
    report("yearfiletext_delivered", medianMs(101, [&] { (void)yearFileText(m); }));
    for (int rules : {1000, 10000, 100000}) {
        const QString list = generatedRules(rules);
        YearItems items;
        const double ms = medianMs(rules >= 100000 ? 7 : 21, [&] {
            if (!generateYear(items, list, anniversaries, 2026))
                std::abort();
        });
        report(qPrintable(QStringLiteral("generate_%1_rules").arg(rules)), ms);
    }

    report("generate_1000_years", medianMs(5, [&] {
               YearItems items;
               for (int year = 2000; year < 3000; ++year)
                   if (!generateYear(items, holidays, anniversaries, year))
                       std::abort();
           }));
    runAlmanacBenchmarks();
    report("yearmake_write_1000_years", medianMs(3, [&] {
               for (int year = 2000; year < 3000; ++year)
                   YearMake(m, QString::number(year));
           }));
}

} // namespace hibimo::bench
