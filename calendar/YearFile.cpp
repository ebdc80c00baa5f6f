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

// Counts records as they are read, so that a failure names the record at fault.
class CountingReader {
  public:
    explicit CountingReader(QByteArrayView bytes) : reader_(bytes) {}
    std::optional<QString> next() {
        ++count_;
        return reader_.next();
    }
    int count() const { return count_; }

  private:
    RecordReader reader_;
    int count_ = 0;
};

struct EntryPosition {
    int month;
    int day;
    int kind;
};

// Where a day entry's own key places it; nothing when the key names no slot.
std::optional<EntryPosition> entryPosition(QStringView record) {
    const EntryPosition p{numberFromText(textChars(record, 0, 2)), numberFromText(textChars(record, 2, 2)),
                          numberFromText(textChars(record, 4, 1))};
    if (p.month < 1 || p.month > 12 || p.day < 0 || p.day > 31 || p.kind < 0 || p.kind > 2)
        return std::nullopt;
    return p;
}

bool isEntry(const QString& record) {
    return !record.startsWith(QLatin1Char('T'));
}

// Text of a line record: from character 11 on, cut in place (a year has 744 of them).
QString lineText(QString record) {
    record.remove(0, 10);
    return record;
}

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
    return yearFileText(m.DayItem, m.PubLine, m.PrivLine);
}

QString yearFileText(const YearItems& dayItem, const YearLines& pubLine, const YearLines& privLine) {
    QString text;
    text.reserve(16 * 1024);
    for (const MonthItems& month : dayItem)
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
            appendRecord(text, pub, pubLine[mi][d]);
            appendRecord(text, priv, privLine[mi][d]);
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

int readYearTables(QByteArrayView bytes, YearItems& dayItem, YearLines& pubLine, YearLines& privLine) {
    CountingReader reader(bytes);
    std::optional<QString> record = reader.next();
    for (; record && isEntry(*record); record = reader.next()) {
        const std::optional<EntryPosition> p = entryPosition(*record);
        if (!p)
            return reader.count();
        dayItem[p->month - 1][p->day][p->kind] = *record;
    }
    if (!record)
        return reader.count();
    for (int mi = 0; mi < 12; ++mi)
        for (int d = 0; d < 31; ++d) {
            const std::optional<QString> pub = reader.next();
            if (!pub)
                return reader.count();
            const std::optional<QString> priv = reader.next();
            if (!priv)
                return reader.count();
            pubLine[mi][d] = lineText(std::move(*pub));
            privLine[mi][d] = lineText(std::move(*priv));
        }
    return 0;
}

} // namespace hibimo
