#include "sharing/YearEvents.h"

#include "calendar/Records.h"
#include "calendar/TextNumber.h"
#include "calendar/YearFile.h"
#include "generation/Lunisolar.h"
#include "generation/YearLoading.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <libical/ical.h>
#include <memory>

namespace hibimo {

namespace {

const QString ProdId = QStringLiteral("-//Hibimo//Hibimo 1.0//JA");

// Generated entries join several names as key + one ":" per join + "name" CR LF "・name"; on a
// phone the names read best on one line, as "元旦・初夢".
QString generatedText(const QString& entry) {
    QString text = entry.mid(5);
    qsizetype joins = 0;
    while (joins < text.size() && text[joins] == QLatin1Char(':'))
        ++joins;
    text.remove(0, joins);
    text.remove(QStringLiteral("\r\n"));
    return text.trimmed();
}

// Texts the user typed keep their lines; the calendar holds them with CR LF, iCalendar with LF.
QString userText(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result.trimmed();
}

bool isRedDay(const QString& markEntry) {
    return markEntry.size() > 5 && markEntry[5] == QLatin1Char('#');
}

void addDayEvents(std::vector<DayEvent>& events, const YearTables& year, const QDate& date,
                  const ShareKinds& kinds) {
    const int mi = date.month() - 1;
    const int d = date.day();
    const auto& items = year.DayItem[mi][d];
    auto add = [&](ShareKind kind, const QString& summary) {
        if (isChosen(kinds, kind) && !summary.isEmpty())
            events.push_back({date, kind, summary, {}});
    };
    const QString holidays = generatedText(items[0]);
    if (isRedDay(items[2]))
        add(ShareKind::RedDay, holidays.isEmpty() ? QStringLiteral("休日") : holidays);
    else
        add(ShareKind::Observance, holidays);
    add(ShareKind::Anniversary, generatedText(items[1]));
    add(ShareKind::Mark, items[2].mid(6).trimmed());
    add(ShareKind::PublicNote, userText(year.PubLine[mi][d - 1]));
    add(ShareKind::PrivateNote, userText(year.PrivLine[mi][d - 1]));
    if (kinds.almanac)
        add(ShareKind::Almanac, almanacText(date));
}

struct IcalFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, IcalFree>;

icaltimetype icalDate(const QDate& date) {
    icaltimetype t = icaltime_null_date();
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    return t;
}

icaltimetype icalStamp(const QDateTime& stamp) {
    const QDateTime when = stamp.isValid() ? stamp : QDateTime::currentDateTimeUtc();
    return icaltime_from_timet_with_zone(static_cast<time_t>(when.toSecsSinceEpoch()), 0,
                                         icaltimezone_get_utc_timezone());
}

Component newCalendar() {
    Component cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(ProdId.toUtf8().constData()));
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
    return cal;
}

icalcomponent* newEvent(const DayEvent& e, const QString& uid, const icaltimetype& stamp) {
    icalcomponent* ev = icalcomponent_new_vevent();
    icalcomponent_add_property(ev, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(ev, icalproperty_new_dtstart(icalDate(e.date)));
    icalcomponent_add_property(ev, icalproperty_new_dtend(icalDate(e.date.addDays(1))));
    icalcomponent_add_property(ev, icalproperty_new_summary(e.summary.toUtf8().constData()));
    if (!e.description.isEmpty())
        icalcomponent_add_property(ev, icalproperty_new_description(e.description.toUtf8().constData()));
    icalcomponent_add_property(ev, icalproperty_new_categories(shareKindLabel(e.kind).toUtf8().constData()));
    if (e.kind == ShareKind::PrivateNote)
        icalcomponent_add_property(ev, icalproperty_new_class(ICAL_CLASS_PRIVATE));
    // A note on a day does not make the user busy all day.
    icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return ev;
}

QByteArray serialised(icalcomponent* c) {
    char* text = icalcomponent_as_ical_string_r(c);
    QByteArray bytes(text);
    std::free(text);
    return bytes;
}

QString unreadableYearMessage(const QString& path, int record) {
    QString where = QStringLiteral("カレンダーファイル ") + QDir::toNativeSeparators(path);
    where += record > 0 ? QStringLiteral(" の %1件目の記録").arg(record) : QString();
    return where + QStringLiteral("を読めないため、書き出しを中止しました。") + QStringLiteral("\r") +
           QStringLiteral("ファイルを確認下さい。");
}

} // namespace

std::vector<DayEvent> yearEvents(const YearTables& year, int yyyy, const ShareKinds& kinds) {
    std::vector<DayEvent> events;
    for (int mi = 0; mi < 12; ++mi) {
        const QDate first(yyyy, mi + 1, 1);
        const QString memo = userText(year.DayItem[mi][0][0].mid(5));
        if (kinds.memos && !memo.isEmpty())
            events.push_back({first, ShareKind::MonthMemo, QStringLiteral("%1月のメモ").arg(mi + 1), memo});
        for (int d = 1; d <= first.daysInMonth(); ++d)
            addDayEvents(events, year, QDate(yyyy, mi + 1, d), kinds);
    }
    return events;
}

QString eventUid(const QDate& date, ShareKind kind, const QString& folderId) {
    return QStringLiteral("hibimo-%1-%2-%3")
        .arg(folderId, date.toString(QStringLiteral("yyyyMMdd")), shareKindRow(kind).uidTag);
}

CalendarResources yearResources(const YearTables& year, int yyyy, const ShareKinds& kinds,
                                const QString& folderId, const QDateTime& stamp) {
    const icaltimetype dtstamp = icalStamp(stamp);
    CalendarResources resources;
    for (const DayEvent& e : yearEvents(year, yyyy, kinds)) {
        const QString uid = eventUid(e.date, e.kind, folderId);
        Component cal = newCalendar();
        icalcomponent_add_component(cal.get(), newEvent(e, uid, dtstamp));
        resources.push_back({uid, serialised(cal.get())});
    }
    return resources;
}

std::vector<int> yearsWithFile(const QString& folder) {
    static const QRegularExpression yearFile(QStringLiteral("^HB(\\d{4})\\.hbd$"));
    std::vector<int> years;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("HB*.hbd")}, QDir::Files)) {
        const QRegularExpressionMatch match = yearFile.match(name);
        if (match.hasMatch())
            years.push_back(match.captured(1).toInt());
    }
    std::sort(years.begin(), years.end());
    return years;
}

CalendarResources shareResources(const CalendarModule& m, ShareYears years, const ShareKinds& kinds,
                                 const QString& folderId, QString* error, const QDateTime& stamp) {
    // One stamp for the whole export, however long it takes.
    const QDateTime when = stamp.isValid() ? stamp : QDateTime::currentDateTimeUtc();
    const int loaded = numberFromText(m.LoadedYear);
    std::vector<int> wanted = years == ShareYears::Loaded ? std::vector<int>{} : yearsWithFile(m.folder);
    if (std::find(wanted.begin(), wanted.end(), loaded) == wanted.end())
        wanted.push_back(loaded);
    std::sort(wanted.begin(), wanted.end());

    CalendarResources resources;
    for (const int yyyy : wanted) {
        YearTables year;
        if (yyyy == loaded) {
            year = {m.DayItem, m.PubLine, m.PrivLine};
        } else {
            const QString path = yearFilePath(m, fourDigits(yyyy));
            const std::optional<QByteArray> bytes = readFileBytes(path);
            const int failed = bytes ? readYearTables(*bytes, year.DayItem, year.PubLine, year.PrivLine) : 0;
            if (!bytes || failed) {
                if (error)
                    *error = unreadableYearMessage(path, failed);
                return {};
            }
        }
        CalendarResources y = yearResources(year, yyyy, kinds, folderId, when);
        resources.insert(resources.end(), std::make_move_iterator(y.begin()),
                         std::make_move_iterator(y.end()));
    }
    return resources;
}

QByteArray icsCalendar(const CalendarResources& resources) {
    // The events are taken as libical wrote them for their resources: parsing them again only to
    // write the same lines would take most of the export's time.
    static const QByteArray begin = "BEGIN:VEVENT\r\n";
    static const QByteArray end = "END:VEVENT\r\n";
    static const QByteArray close = "END:VCALENDAR\r\n";
    Component cal = newCalendar();
    QByteArray head = serialised(cal.get());
    head.chop(close.size());
    QByteArray file = head;
    for (const CalendarResource& r : resources) {
        const qsizetype from = r.ics.indexOf(begin);
        const qsizetype to = r.ics.lastIndexOf(end);
        if (from >= 0 && to > from)
            file += QByteArrayView(r.ics).sliced(from, to + end.size() - from);
    }
    return file + close;
}

} // namespace hibimo
