#include "calendar/YearFile.h"

#include "calendar/CalendarModule.h"
#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "calendar/TextNumber.h"
#include "toolkit/Interaction.h"

namespace hibimo {

namespace {
const QString EndMarker = QStringLiteral("TTTTT");
const QString PubMarker = QStringLiteral("T2PubL");
const QString PrivMarker = QStringLiteral("T3Priv");
} // namespace

QString yearFilePath(const CalendarModule& m, const QString& yyyy) {
    // Only digits can form the name: a year text with anything else never reaches outside the folder.
    QString year;
    for (QChar c : yyyy)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            year += c;
    // "999" and "0999" are one year and must name one file.
    if (!year.isEmpty() && year.size() < 4)
        year = year.rightJustified(4, QLatin1Char('0'));
    return m.filePath(QStringLiteral("HB") + year + QStringLiteral(".hbd"));
}

namespace {

// Appends one quoted record made of a prefix and a text without building it first: the year file
// has some 800 records and is written on every edit.
void appendRecord(QString& out, QStringView prefix, const QString& text) {
    out += QLatin1Char('"');
    out += prefix;
    if (text.contains(QLatin1Char('"')))
        out += withoutDoubleQuotes(text);
    else
        out += text;
    out += QLatin1String("\"\r\n");
}

} // namespace

QString yearFileText(const CalendarModule& m) {
    QString text;
    text.reserve(16 * 1024);
    for (const MonthItems& month : m.DayItem)
        for (const auto& day : month)
            for (const QString& entry : day)
                if (entry.size() > 5)
                    appendRecord(text, {}, entry);
    appendRecord(text, {}, EndMarker);
    QString pub = PubMarker + QStringLiteral("mmdd");
    QString priv = PrivMarker + QStringLiteral("mmdd");
    for (int mi = 0; mi < 12; ++mi)
        for (int d = 0; d < 31; ++d) {
            const QString mmdd = twoDigits(mi + 1) + twoDigits(d + 1);
            pub.replace(6, 4, mmdd);
            priv.replace(6, 4, mmdd);
            appendRecord(text, pub, m.PubLine[mi][d]);
            appendRecord(text, priv, m.PrivLine[mi][d]);
        }
    return text;
}

bool PCwrite(CalendarModule& m, const QString& yyyy) {
    if (writeTextFile(yearFilePath(m, yyyy), yearFileText(m))) {
        m.LoadedYearChanged = false;
        if (m.yearSaved)
            m.yearSaved(yyyy);
        return true;
    }
    m.ui.message(QStringLiteral("カレンダーデータファイル作成失敗！"));
    return false;
}

} // namespace hibimo
