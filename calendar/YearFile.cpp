#include "calendar/YearFile.h"

#include "calendar/CalendarModule.h"
#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "calendar/TextNumber.h"
#include "toolkit/Interaction.h"

#include <algorithm>
#include <array>

namespace hibimo {

namespace {
const QString EndMarker = QStringLiteral("TTTTT");
const QString PubMarker = QStringLiteral("T2PubL");
const QString PrivMarker = QStringLiteral("T3Priv");
// A line record's key: its marker and "mmdd".
constexpr qsizetype LineKeyLength = 10;

// Counts records as they are read, so that a failure names the record at fault.
class CountingReader {
  public:
    explicit CountingReader(QByteArrayView bytes) : reader_(bytes) {}
    std::optional<QString> next() {
        ++count_;
        return reader_.next();
    }
    // A line record's text, from character 11 on. A year has 744 of them, most of them their key
    // alone: past an ASCII key the rest decodes on its own (no character of the code page begins with
    // an ASCII byte), so the key is never made into text only to be cut off.
    std::optional<QString> nextLine() {
        ++count_;
        const std::optional<QByteArrayView> record = reader_.nextBytes();
        if (!record)
            return std::nullopt;
        const qsizetype keyEnd = std::min<qsizetype>(LineKeyLength, record->size());
        if (isAscii(record->first(keyEnd)))
            return reader_.decode(record->sliced(keyEnd));
        std::optional<QString> text = reader_.decode(*record);
        if (text)
            text->remove(0, LineKeyLength);
        return text;
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
    // The keys are filled in place: 744 of them would otherwise be as many small strings.
    std::array<char16_t, LineKeyLength> pub{};
    std::array<char16_t, LineKeyLength> priv{};
    std::copy(PubMarker.utf16(), PubMarker.utf16() + PubMarker.size(), pub.begin());
    std::copy(PrivMarker.utf16(), PrivMarker.utf16() + PrivMarker.size(), priv.begin());
    const auto setDigits = [&](qsizetype at, int number) {
        pub[at] = priv[at] = static_cast<char16_t>(u'0' + number / 10);
        pub[at + 1] = priv[at + 1] = static_cast<char16_t>(u'0' + number % 10);
    };
    for (int mi = 0; mi < 12; ++mi) {
        setDigits(6, mi + 1);
        for (int d = 0; d < 31; ++d) {
            setDigits(8, d + 1);
            appendRecord(text, QStringView(pub.data(), pub.size()), pubLine[mi][d]);
            appendRecord(text, QStringView(priv.data(), priv.size()), privLine[mi][d]);
        }
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
        dayItem[p->month - 1][p->day][p->kind] = std::move(*record);
    }
    if (!record)
        return reader.count();
    for (int mi = 0; mi < 12; ++mi)
        for (int d = 0; d < 31; ++d) {
            std::optional<QString> pub = reader.nextLine();
            if (!pub)
                return reader.count();
            std::optional<QString> priv = reader.nextLine();
            if (!priv)
                return reader.count();
            pubLine[mi][d] = std::move(*pub);
            privLine[mi][d] = std::move(*priv);
        }
    return 0;
}

} // namespace hibimo
