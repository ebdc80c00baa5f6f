#include "bench/ShareBench.h"

#include "bench/Bench.h"
#include "sharing/CalDavPublisher.h"
#include "sharing/YearEvents.h"

#include <QDate>
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

void runPublishBenchmarks() {
    const CalendarResources resources =
        yearResources(yearOf400Items(), 2026, ShareKinds{true, true, true, true, true, true, true},
                      QStringLiteral("6f1c4d2e-0000-4000-8000-000000000002"));
    CalDavSettings settings;
    settings.url = qEnvironmentVariable("HIBIMO_CALDAV_URL");
    settings.user = qEnvironmentVariable("HIBIMO_CALDAV_USER");
    const QString password = qEnvironmentVariable("HIBIMO_CALDAV_PASSWORD");
    QTemporaryDir folder;
    CalDavPublisher publisher(folder.path());
    const auto publish = [&] {
        const auto start = std::chrono::steady_clock::now();
        publisher.publish(settings, password, resources);
        if (!publisher.waitForFinished(600000))
            std::abort();
        return msSince(start);
    };
    report("publish_400_events_first", publish());
    std::vector<double> again;
    for (int i = 0; i < 5; ++i)
        again.push_back(publish());
    report("publish_400_events_unchanged", median(again));
    std::printf("publish_400_events_unchanged_requests %d\n", publisher.counts().requests);
}

} // namespace hibimo::bench
