// The year as iCalendar: which items become events, the text of the file, and the identities that
// keep a second import from duplicating the first.
#include "calendar/YearFile.h"
#include "sharing/ExportChoices.h"
#include "sharing/FolderIdentity.h"
#include "sharing/YearEvents.h"
#include "tests/CoreSupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>
#include <libical/ical.h>

namespace hibimo::test {
namespace {

const ShareKinds None{false, false, false, false, false, false, false};
const ShareKinds All{true, true, true, true, true, true, true};

ShareKinds only(ShareKind kind) {
    ShareKinds kinds = None;
    kinds.*shareKindField(kind) = true;
    return kinds;
}

// A year in which every kind occurs once, on a day of its own, as generation and editing leave it.
YearTables sampleYear() {
    YearTables y;
    y.DayItem[0][0][0] = "01000買い物\r\n掃除";
    y.DayItem[0][1][0] = "01010元旦";
    y.DayItem[0][1][2] = "01012#";
    y.DayItem[1][3][0] = "02030:節分\r\n・立春前夜";
    y.DayItem[0][25][1] = "01251花子誕生日'72";
    y.DayItem[2][5][2] = "03052 休";
    y.PubLine[3][9] = "運動会";
    y.PrivLine[4][19] = "歯医者";
    return y;
}

QStringList summaries(const std::vector<DayEvent>& events) {
    QStringList list;
    for (const DayEvent& e : events)
        list << e.date.toString("MMdd") + " " + shareKindLabel(e.kind) + " " + e.summary;
    return list;
}

TEST(YearEvents, EachKindLeavesOnlyWhenChosen) {
    const struct {
        const char* name;
        ShareKinds kinds;
        QStringList expected;
    } rows[] = {
        {"month memo on the 1st", only(ShareKind::MonthMemo), {"0101 月のメモ 1月のメモ"}},
        {"red day with its name", only(ShareKind::RedDay), {"0101 祝日・休日 元旦"}},
        {"observance joined on one line", only(ShareKind::Observance), {"0203 行事 節分・立春前夜"}},
        {"anniversary", only(ShareKind::Anniversary), {"0125 記念日 花子誕生日'72"}},
        {"mark without its flag", only(ShareKind::Mark), {"0305 印 休"}},
        {"public note", only(ShareKind::PublicNote), {"0410 公開の予定 運動会"}},
        {"private note", only(ShareKind::PrivateNote), {"0520 非公開の予定 歯医者"}},
        {"nothing chosen", None, {}},
        {"all, by date then kind",
         All,
         {"0101 月のメモ 1月のメモ", "0101 祝日・休日 元旦", "0125 記念日 花子誕生日'72",
          "0203 行事 節分・立春前夜", "0305 印 休", "0410 公開の予定 運動会", "0520 非公開の予定 歯医者"}},
    };
    const YearTables year = sampleYear();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(summaries(yearEvents(year, 2024, row.kinds)), row.expected);
    }
}

TEST(YearEvents, ItemsThatAreNoEvents) {
    const struct {
        const char* name;
        void (*fill)(YearTables&);
        QStringList expected;
    } rows[] = {
        {"a slot of 30 February", [](YearTables& y) { y.PubLine[1][29] = "幻"; }, {}},
        {"a note of blanks", [](YearTables& y) { y.PubLine[0][4] = "  \r\n "; }, {}},
        {"a key without content", [](YearTables& y) { y.DayItem[0][5][1] = "01051"; }, {}},
        {"a red flag alone: no mark",
         [](YearTables& y) { y.DayItem[0][6][2] = "01062#"; },
         {"0106 祝日・休日 休日"}},
        {"a substitute holiday",
         [](YearTables& y) {
             y.DayItem[0][8][2] = "01092#";
             y.DayItem[0][8][0] = "01090 前日の振休";
         },
         {"0108 祝日・休日 前日の振休"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        YearTables y;
        row.fill(y);
        EXPECT_EQ(summaries(yearEvents(y, 2024, All)), row.expected);
    }
}

QString unfolded(const QByteArray& ics) {
    return QString::fromUtf8(ics).replace("\r\n ", "");
}

// The property lines of the one event of a resource, DTSTAMP apart.
QStringList eventLines(const QByteArray& ics) {
    QStringList lines = unfolded(ics).split("\r\n", Qt::SkipEmptyParts);
    lines.removeIf([](const QString& l) { return l.startsWith("DTSTAMP:"); });
    return lines.mid(lines.indexOf("BEGIN:VEVENT"));
}

TEST(IcsText, PropertiesAndEscaping) {
    const QString id = "6f1c4d2e-0000-4000-8000-000000000001";
    const QString uid = "UID:hibimo-" + id;
    const struct {
        const char* name;
        void (*fill)(YearTables&);
        QStringList expected;
    } rows[] = {
        {"public note, exclusive end",
         [](YearTables& y) { y.PubLine[11][30] = "大晦日"; },
         {"BEGIN:VEVENT", uid + "-20241231-pub", "DTSTART;VALUE=DATE:20241231", "DTEND;VALUE=DATE:20250101",
          "SUMMARY:大晦日", "CATEGORIES:公開の予定", "TRANSP:TRANSPARENT", "END:VEVENT", "END:VCALENDAR"}},
        {"private note: class, escaping of \\ ; , and line breaks",
         [](YearTables& y) { y.PrivLine[1][28] = "a\\b;c,d\r\n次"; },
         {"BEGIN:VEVENT", uid + "-20240229-priv", "DTSTART;VALUE=DATE:20240229", "DTEND;VALUE=DATE:20240301",
          "SUMMARY:a\\\\b\\;c\\,d\\n次", "CATEGORIES:非公開の予定", "CLASS:PRIVATE", "TRANSP:TRANSPARENT",
          "END:VEVENT", "END:VCALENDAR"}},
        {"month memo as description",
         [](YearTables& y) { y.DayItem[2][0][0] = "03000一行目\r\n二行目"; },
         {"BEGIN:VEVENT", uid + "-20240301-memo", "DTSTART;VALUE=DATE:20240301", "DTEND;VALUE=DATE:20240302",
          "SUMMARY:3月のメモ", "DESCRIPTION:一行目\\n二行目", "CATEGORIES:月のメモ", "TRANSP:TRANSPARENT",
          "END:VEVENT", "END:VCALENDAR"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        YearTables y;
        row.fill(y);
        const CalendarResources r = yearResources(y, 2024, All, id);
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(eventLines(r[0].ics), row.expected);
        EXPECT_TRUE(r[0].ics.startsWith("BEGIN:VCALENDAR\r\n"));
        for (const char* header : {"\r\nVERSION:2.0\r\n", "\r\nPRODID:"})
            EXPECT_TRUE(r[0].ics.contains(header)) << header;
        EXPECT_TRUE(QRegularExpression("\r\nDTSTAMP:\\d{8}T\\d{6}Z\r\n")
                        .match(QString::fromUtf8(r[0].ics))
                        .hasMatch());
    }
}

// Every physical line at most 75 octets before its CRLF, no bare CR or LF, and no line that ends or
// begins inside a UTF-8 sequence.
void expectFoldedRight(const QByteArray& ics) {
    ASSERT_TRUE(ics.endsWith("\r\n"));
    const QList<QByteArray> lines = ics.chopped(2).split('\n');
    for (const QByteArray& line : lines) {
        ASSERT_TRUE(line.endsWith('\r') || &line == &lines.back()) << line.toStdString();
        const QByteArray text = line.endsWith('\r') ? line.chopped(1) : line;
        EXPECT_LE(text.size(), 75) << text.toStdString();
        EXPECT_FALSE(text.contains('\r'));
        QStringDecoder utf8(QStringDecoder::Utf8);
        (void)QString(utf8(text));
        EXPECT_FALSE(utf8.hasError()) << "split UTF-8: " << text.toStdString();
    }
}

TEST(IcsText, LongTextsFoldAt75OctetsOnCharacterBoundaries) {
    const QString rows[] = {
        QString(200, QChar(u'あ')),                         // three octets each
        "x" + QString(100, QChar(u'漢')),                   // shifted by one octet
        "xy" + QString(100, QChar(u'ー')),                  // shifted by two
        QString(50, QChar(u'é')) + QString(60, QChar('a')), // two-octet characters
        QString(300, QChar('a')),                           // no blank to fold at
        "半角ｶﾅ～－①髙﨑, ; \\ " + QString(80, QChar(u'日')),
    };
    for (const QString& text : rows) {
        SCOPED_TRACE(text.left(8).toStdString());
        YearTables y;
        y.PubLine[0][0] = text;
        y.DayItem[0][0][0] = "01000" + text;
        const CalendarResources r = yearResources(y, 2024, All, "id");
        ASSERT_EQ(r.size(), 2u);
        expectFoldedRight(icsCalendar(r));
        // libical's own parser gives the text back whole.
        icalcomponent* cal = icalparser_parse_string(r[1].ics.constData());
        ASSERT_NE(cal, nullptr);
        icalcomponent* ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT);
        EXPECT_EQ(QString::fromUtf8(icalcomponent_get_summary(ev)), text.trimmed());
        icalcomponent_free(cal);
    }
}

TEST(IcsText, TheWholeFileIsOneCalendarThatBothParsersRead) {
    YearTables y = sampleYear();
    y.PubLine[6][6] = "七夕, 笹飾り; \\終わり\r\n" + QString(40, QChar(u'星'));
    const CalendarResources r = yearResources(y, 2024, All, "fid");
    const QByteArray ics = icsCalendar(r);
    expectFoldedRight(ics);
    EXPECT_EQ(ics.count("BEGIN:VCALENDAR"), 1);
    EXPECT_EQ(ics.count("BEGIN:VEVENT"), qsizetype(r.size()));

    QStringList uidsAndSummaries;
    icalcomponent* cal = icalparser_parse_string(ics.constData());
    ASSERT_NE(cal, nullptr);
    for (icalcomponent* ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT))
        uidsAndSummaries << QString::fromUtf8(icalcomponent_get_uid(ev)) + "|" +
                                QString::fromUtf8(icalcomponent_get_summary(ev));
    icalcomponent_free(cal);
    ASSERT_EQ(uidsAndSummaries.size(), qsizetype(r.size()));
    EXPECT_TRUE(uidsAndSummaries.contains("hibimo-fid-20240707-pub|七夕, 笹飾り; \\終わり\n" +
                                          QString(40, QChar(u'星'))));

    // A second, independent reader: the Python icalendar package.
    QTemporaryDir dir;
    const QString file = dir.filePath("year.ics");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(ics);
    out.close();
    QProcess python;
    // Debian's interpreter, where Debian's python3-icalendar is installed, whatever else is on PATH.
    python.start("/usr/bin/python3",
                 {"-c",
                  "import sys, icalendar\n"
                  "cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())\n"
                  "for e in cal.walk('VEVENT'):\n"
                  "    assert e.decoded('dtstart') < e.decoded('dtend')\n"
                  "    sys.stdout.write(str(e['uid']) + '|' + str(e['summary']) + '\\0')\n",
                  file});
    ASSERT_TRUE(python.waitForFinished(30000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    QStringList fromPython =
        QString::fromUtf8(python.readAllStandardOutput()).split(QChar(0), Qt::SkipEmptyParts);
    EXPECT_EQ(fromPython, uidsAndSummaries);
}

TEST(FolderIdentity, MadeOnceKeptAndNeverReplaced) {
    Fixture a, b;
    QString error;
    const QString first = folderIdentity(a.dir.path(), &error);
    EXPECT_FALSE(first.isEmpty());
    EXPECT_EQ(folderIdentity(a.dir.path(), &error), first);
    EXPECT_NE(folderIdentity(b.dir.path(), &error), first);
    // A publish takes a new identity only once something reached the server.
    Fixture c;
    QString unsaved;
    EXPECT_EQ(folderIdentity(c.dir.path(), &error, &unsaved, IdentityUse::Publish), unsaved);
    EXPECT_FALSE(QFile::exists(c.path(FolderIdentityFileName)));
    EXPECT_TRUE(QRegularExpression("^[A-Za-z0-9-]+$")
                    .match(eventUid(QDate(2024, 1, 1), ShareKind::PrivateNote, first))
                    .hasMatch());

    const struct {
        const char* name;
        QByteArray content;
        IdentityUse use;
        QString stopped;
    } damaged[] = {{"not an identity", "\"abc\"\r\n", IdentityUse::Export, "書き出しは中止しました。"},
                   {"empty", "", IdentityUse::Export, "書き出しは中止しました。"},
                   {"undecodable", "\"\x81\"\r\n", IdentityUse::Publish, "公開は中止しました。"}};
    for (const auto& row : damaged) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.writeBytes(FolderIdentityFileName, row.content);
        QString message, unsaved;
        EXPECT_EQ(folderIdentity(f.dir.path(), &message, &unsaved, row.use), QString());
        EXPECT_EQ(message, "フォルダーの識別ファイル " +
                               QDir::toNativeSeparators(f.path(FolderIdentityFileName)) +
                               " を読めません。\rファイルを確認下さい。" + row.stopped);
        EXPECT_EQ(f.bytes(FolderIdentityFileName), row.content);
    }
}

TEST(ShareResources, TwoExportsAgreeAndFoldersDiffer) {
    Fixture f;
    f.m().LoadedYear = "2024";
    static_cast<CalendarState&>(f.m()).DayItem = sampleYear().DayItem;
    f.m().PubLine = sampleYear().PubLine;
    QString error;
    const QString id = folderIdentity(f.dir.path(), &error);
    const auto once =
        shareResources(f.m(), ShareYears::Loaded, All, id, &error, QDateTime::fromSecsSinceEpoch(0));
    const auto again = shareResources(f.m(), ShareYears::Loaded, All, id, &error);
    ASSERT_EQ(once.size(), again.size());
    for (std::size_t i = 0; i < once.size(); ++i) {
        EXPECT_EQ(once[i].uid, again[i].uid);
        EXPECT_EQ(eventLines(once[i].ics), eventLines(again[i].ics));
        EXPECT_NE(once[i].ics, again[i].ics); // the stamp
    }
    const auto elsewhere = shareResources(f.m(), ShareYears::Loaded, All, "other", &error);
    EXPECT_NE(elsewhere.front().uid, once.front().uid);
}

TEST(ShareResources, OtherYearsFromTheirFilesTheLoadedOneFromMemory) {
    const struct {
        const char* name;
        ShareYears years;
        QByteArray file2023; // empty: none
        QStringList uids;
        QString error;
    } rows[] = {
        {"shown year only", ShareYears::Loaded, "", {"x-20240410-pub"}, ""},
        {"every year", ShareYears::AllWithFile, "written", {"x-20230101-pub", "x-20240410-pub"}, ""},
        {"a damaged year stops the export",
         ShareYears::AllWithFile,
         "\"01010ok\"\r\n",
         {},
         "カレンダーファイル %1 の "
         "2件目の記録を読めないため、書き出しを中止しました。\rファイルを確認下さい。"},
        {"the shown year ignores other files", ShareYears::Loaded, "\"x\"", {"x-20240410-pub"}, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.writeBytes("HB20241.hbd", "not a year file");
        if (row.file2023 == "written") {
            f.m().LoadedYear = "2023";
            f.m().PubLine[0][0] = "正月";
            ASSERT_TRUE(PCwrite(f.m(), "2023"));
        } else if (!row.file2023.isEmpty()) {
            f.writeBytes("HB2023.hbd", row.file2023);
        }
        f.m().LoadedYear = "2024";
        f.m().PubLine = {};
        f.m().PubLine[3][9] = "運動会"; // not saved
        QString error;
        const CalendarResources r =
            shareResources(f.m(), row.years, only(ShareKind::PublicNote), "x", &error);
        QStringList uids;
        for (const CalendarResource& c : r)
            uids << c.uid.mid(7);
        EXPECT_EQ(uids, row.uids);
        EXPECT_EQ(error, row.error.isEmpty() ? QString()
                                             : row.error.arg(QDir::toNativeSeparators(f.path("HB2023.hbd"))));
    }
}

TEST(ExportChoices, RememberedAndDefaults) {
    Fixture f;
    const ExportChoices defaults = readExportChoices(f.dir.path());
    EXPECT_EQ(defaults.years, ShareYears::Loaded);
    for (ShareKind off : {ShareKind::RedDay, ShareKind::Observance, ShareKind::PrivateNote})
        EXPECT_FALSE(isChosen(defaults.kinds, off));
    for (ShareKind on :
         {ShareKind::PublicNote, ShareKind::Mark, ShareKind::MonthMemo, ShareKind::Anniversary})
        EXPECT_TRUE(isChosen(defaults.kinds, on));

    for (int k = 0; k < ShareKindCount; ++k) {
        SCOPED_TRACE(k);
        const ExportChoices chosen{k % 2 ? ShareYears::AllWithFile : ShareYears::Loaded, only(ShareKind(k))};
        ASSERT_TRUE(writeExportChoices(f.dir.path(), chosen));
        const ExportChoices read = readExportChoices(f.dir.path());
        EXPECT_EQ(read.years, chosen.years);
        for (int j = 0; j < ShareKindCount; ++j)
            EXPECT_EQ(isChosen(read.kinds, ShareKind(j)), j == k);
    }
    for (const QByteArray bad : {"", "1,1", "2,1,1,1,1,1,1,1", "x"}) {
        SCOPED_TRACE(bad.toStdString());
        f.writeBytes(ExportChoicesFileName, bad);
        EXPECT_EQ(readExportChoices(f.dir.path()).years, ShareYears::Loaded);
        EXPECT_FALSE(readExportChoices(f.dir.path()).kinds.redDays);
    }
}

} // namespace
} // namespace hibimo::test
