#include "bench/ShareBench.h"

#include "bench/Bench.h"
#include "sharing/CalDavPublisher.h"
#include "sharing/YearEvents.h"

#include <QDate>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace hibimo::bench {

// 400 items spread over the year's real dates, every kind among them, some texts long enough to fold.
YearTables yearOf400Items() {
    YearTables y;
    const QDate first(2026, 1, 1);
    for (int i = 0; i < 400; ++i) {
        // Past the year's end the kinds shift by one, so that no item replaces another.
        const QDate date = first.addDays(i % 365);
        const int mi = date.month() - 1;
        const int d = date.day();
        const QString key = date.toString(QStringLiteral("MMdd"));
        switch ((i + i / 365) % 5) {
        case 0:
            y.PubLine[mi][d - 1] = QStringLiteral("町内会の集まり、公民館にて。持ち物：資料, 筆記用具; 印鑑");
            break;
        case 1:
            y.PrivLine[mi][d - 1] = QStringLiteral("歯医者\r\n午後三時");
            break;
        case 2:
            y.DayItem[mi][d][1] = key + QStringLiteral("1花子誕生日'72");
            break;
        case 3:
            y.DayItem[mi][d][2] = key + QStringLiteral("2 休");
            break;
        default:
            y.DayItem[mi][d][0] = key + QStringLiteral("0祝日");
            break;
        }
    }
    return y;
}

void runShareBenchmarks() {
    const YearTables year = yearOf400Items();
    const ShareKinds all{true, true, true, true, true, true, true};
    const QString folderId = QStringLiteral("6f1c4d2e-0000-4000-8000-000000000001");
    report("export_one_year_400_items", medianMs(51, [&] {
               const CalendarResources r = yearResources(year, 2026, all, folderId);
               if (r.size() != 400 || icsCalendar(r).isEmpty())
                   std::abort();
           }));
}

} // namespace hibimo::bench

namespace hibimo::bench {

namespace {

// A collection of its own on the benchmark's server, so that runs of two builds do not meet.
CalDavSettings benchCollection(const QString& name) {
    CalDavSettings settings;
    settings.url =
        qEnvironmentVariable("HIBIMO_CALDAV_URL") + QStringLiteral("../") + name + QLatin1Char('/');
    settings.user = qEnvironmentVariable("HIBIMO_CALDAV_USER");
    QProcess::execute(qEnvironmentVariable("HIBIMO_CALDAV_CLIENT"),
                      {settings.url, settings.user, qEnvironmentVariable("HIBIMO_CALDAV_PASSWORD"),
                       QStringLiteral("mkcalendar")});
    return settings;
}

// Ten years of a family's calendar: 3,000 events.
CalendarResources familyYears() {
    CalendarResources all;
    for (int year = 2017; all.size() < 3000; ++year)
        for (CalendarResource& r :
             yearResources(yearOf400Items(), year, ShareKinds{true, true, true, true, true, true, true},
                           QStringLiteral("6f1c4d2e-0000-4000-8000-000000000002")))
            if (all.size() < 3000)
                all.push_back(std::move(r));
    return all;
}

} // namespace

void runPublishBenchmarks() {
    CalendarResources resources = familyYears();
    const CalDavSettings settings = benchCollection(
        QStringLiteral("bench%1").arg(qEnvironmentVariable("HIBIMO_BENCH_NAME", QStringLiteral("now"))));
    const QString password = qEnvironmentVariable("HIBIMO_CALDAV_PASSWORD");
    QTemporaryDir folder;
    CalDavPublisher publisher(folder.path());
    const auto publish = [&](const char* name) {
        const auto start = std::chrono::steady_clock::now();
        publisher.publish(settings, password, resources);
        if (!publisher.waitForFinished(600000))
            std::abort();
        const double ms = msSince(start);
        std::printf("%s %.3f ms, %d requests, %d listings\n", name, ms, publisher.counts().requests,
                    publisher.counts().listings);
        return ms;
    };
    publish("publish_3000_events_first");
    std::vector<double> again;
    for (int i = 0; i < 5; ++i)
        again.push_back(publish("publish_3000_events_unchanged_run"));
    report("publish_3000_events_unchanged", median(again));
    resources[1500].ics.replace("SUMMARY:", "SUMMARY:変更 ");
    publish("publish_3000_events_one_change");
}

} // namespace hibimo::bench
