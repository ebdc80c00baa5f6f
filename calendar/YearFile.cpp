#include "calendar/YearFile.h"

#include "calendar/HbmModule.h"
#include "calendar/Records.h"
#include "calendar/TextNumber.h"
#include "toolkit/Interaction.h"

namespace hibimo {

namespace {
const QString EndMarker = QStringLiteral("TTTTT");
const QString PubMarker = QStringLiteral("T2PubL");
const QString PrivMarker = QStringLiteral("T3Priv");
} // namespace

QString yearFilePath(const HbmModule& m, const QString& yyyy) {
    // Only digits can form the name: a year text with anything else never reaches outside the folder.
    QString year;
    for (QChar c : yyyy)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            year += c;
    return m.filePath(QStringLiteral("HB") + year + QStringLiteral(".hbd"));
}

QString yearFileText(const HbmModule& m) {
    QString text;
    text.reserve(64 * 1024);
    for (const MonthItems& month : m.DayItem)
        for (const auto& day : month)
            for (const QString& entry : day)
                if (entry.size() > 5)
                    text += quotedRecord(entry);
    text += quotedRecord(EndMarker);
    for (int mi = 0; mi < 12; ++mi) {
        const QString mm = twoDigits(mi + 1);
        for (int d = 0; d < 31; ++d) {
            const QString mmdd = mm + twoDigits(d + 1);
            text += quotedRecord(PubMarker + mmdd + m.PubLine[mi][d]);
            text += quotedRecord(PrivMarker + mmdd + m.PrivLine[mi][d]);
        }
    }
    return text;
}

bool PCwrite(HbmModule& m, const QString& yyyy) {
    if (writeTextFile(yearFilePath(m, yyyy), yearFileText(m)))
        return true;
    m.ui.message(QStringLiteral("カレンダーデータファイル作成失敗！"));
    return false;
}

} // namespace hibimo
