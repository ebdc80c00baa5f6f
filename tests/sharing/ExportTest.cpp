// The year as iCalendar: which items become events, the text of the file, and the identities that
// keep a second import from duplicating the first.
#include "calendar/YearFile.h"
#include "sharing/ExportChoices.h"
#include "sharing/FolderIdentity.h"
#include "sharing/YearEvents.h"
#include "tests/CoreSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

const ShareKinds None{false, false, false, false, false, false, false, false};
// Every kind but the almanac, which has an event every day.
const ShareKinds All{true, true, true, true, true, true, true, false};

ShareKinds only(ShareKind kind) {
    ShareKinds kinds = None;
    kinds.*shareKindField(kind) = true;
    return kinds;
}

// Every kind once, as generation and editing leave it, beside items that are no events.
YearTables sampleYear() {
    YearTables y;
    y.DayItem[0][0][0] = "01000買い物\r\n掃除";
    y.DayItem[0][1][0] = "01010元旦";
    y.DayItem[0][1][2] = "01012#";
    y.DayItem[0][5][1] = "01051";  // a key without content
    y.DayItem[0][6][2] = "01062#"; // a red flag alone
    y.DayItem[0][8][2] = "01092#";
    y.DayItem[0][8][0] = "01090 前日の振休";
    y.DayItem[1][3][0] = "02030:節分\r\n・立春前夜";
    y.DayItem[0][25][1] = "01251花子誕生日'72";
    y.DayItem[2][5][2] = "03052 休";
    y.PubLine[0][4] = "  \r\n ";
    y.PubLine[1][29] = "幻"; // 30 February
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
    const QStringList all =
        QString("0101 月のメモ 1月のメモ|0101 祝日・休日 元旦|0106 祝日・休日 休日|"
                "0108 祝日・休日 前日の振休|0125 記念日 花子誕生日'72|0203 行事 節分・立春前夜|"
                "0305 印 休|0410 公開の予定 運動会|0520 非公開の予定 歯医者")
            .split('|');
    const YearTables year = sampleYear();
    EXPECT_EQ(summaries(yearEvents(year, 2024, All)), all);
    for (int k = 0; k < int(ShareKind::Almanac); ++k)
        EXPECT_EQ(summaries(yearEvents(year, 2024, only(ShareKind(k)))),
                  all.filter(" " + shareKindLabel(ShareKind(k)) + " "));
    // 旧正月 on the new moon of 10 February 2024, 先勝 as every first of the first month.
    const QStringList almanac = summaries(yearEvents(year, 2024, only(ShareKind::Almanac)));
    EXPECT_EQ(QStringList({QString::number(almanac.size()), almanac.value(0), almanac.value(40)}),
              QStringList({"366", "0101 六曜・旧暦 赤口 旧11/20", "0210 六曜・旧暦 先勝 旧1/1"}));
}

TEST(IcsText, PropertiesAndEscaping) {
    YearTables y;
    y.PrivLine[1][28] = "a\\b;c,d\r\n次";
    y.DayItem[2][0][0] = "03000一行目\r\n二行目";
    y.PubLine[11][30] = "大晦日";
    const CalendarResources r = yearResources(y, 2024, All, "6f1c4d2e-0000-4000-8000-000000000001");
    const QString uid = "UID:hibimo-6f1c4d2e-0000-4000-8000-000000000001";
    const QStringList head = {"BEGIN:VCALENDAR", "PRODID:-//Hibimo//Hibimo 1.0//JA", "VERSION:2.0",
                              "CALSCALE:GREGORIAN", "BEGIN:VEVENT"};
    const QStringList tail = {"TRANSP:TRANSPARENT", "END:VEVENT", "END:VCALENDAR"};
    const QStringList expected[] = {
        {uid + "-20240229-priv", "DTSTART;VALUE=DATE:20240229", "DTEND;VALUE=DATE:20240301",
         "SUMMARY:a\\\\b\\;c\\,d\\n次", "CATEGORIES:非公開の予定", "CLASS:PRIVATE"},
        {uid + "-20240301-memo", "DTSTART;VALUE=DATE:20240301", "DTEND;VALUE=DATE:20240302",
         "SUMMARY:3月のメモ", "DESCRIPTION:一行目\\n二行目", "CATEGORIES:月のメモ"},
        {uid + "-20241231-pub", "DTSTART;VALUE=DATE:20241231", "DTEND;VALUE=DATE:20250101", "SUMMARY:大晦日",
         "CATEGORIES:公開の予定"},
    };
    ASSERT_EQ(r.size(), 3u);
    for (int i = 0; i < 3; ++i) { // unfolded, without the DTSTAMP
        QStringList lines =
            QString::fromUtf8(r[i].ics).replace("\r\n ", "").split("\r\n", Qt::SkipEmptyParts);
        lines.removeIf([](const QString& l) { return l.startsWith("DTSTAMP:"); });
        EXPECT_EQ(lines, head + expected[i] + tail);
    }
    EXPECT_TRUE(QString::fromUtf8(r[0].ics).contains(QRegularExpression("\r\nDTSTAMP:\\d{8}T\\d{6}Z\r\n")));
}

TEST(FolderIdentity, MadeOnceKeptAndNeverReplaced) {
    Fixture a, b, c;
    QString error, unsaved;
    const QString first = folderIdentity(a.dir.path(), &error);
    EXPECT_TRUE(QRegularExpression("^[0-9a-f-]{36}$").match(first).hasMatch());
    EXPECT_EQ(folderIdentity(a.dir.path(), &error), first);
    EXPECT_NE(folderIdentity(b.dir.path(), &error), first);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(folderIdentity(a.path("missing"), &error), QString());
    EXPECT_EQ(error, "フォルダーの識別ファイル " +
                         QDir::toNativeSeparators(a.path("missing/") + FolderIdentityFileName) +
                         " を作成できません。\rフォルダへの書き込みが許可されているか、ディスクに空きがあるか"
                         "を確認下さい。");
    // A publish takes a new identity only once something reached the server.
    EXPECT_EQ(folderIdentity(c.dir.path(), &error, &unsaved, IdentityUse::Publish), unsaved);
    EXPECT_FALSE(QFile::exists(c.path(FolderIdentityFileName)));

    const std::tuple<QByteArray, IdentityUse, QString> damaged[] = {
        {"\"abc\"\r\n", IdentityUse::Export, "書き出しは中止しました。"},
        {"", IdentityUse::Export, "書き出しは中止しました。"},
        {"\"\x81\"\r\n", IdentityUse::Publish, "公開は中止しました。"}};
    for (const auto& [content, use, stopped] : damaged) {
        SCOPED_TRACE(content.toStdString());
        Fixture f;
        f.writeBytes(FolderIdentityFileName, content);
        QString message;
        EXPECT_EQ(folderIdentity(f.dir.path(), &message, &unsaved, use), QString());
        EXPECT_EQ(message, "フォルダーの識別ファイル " +
                               QDir::toNativeSeparators(f.path(FolderIdentityFileName)) +
                               " を読めません。\rファイルを確認下さい。" + stopped);
        EXPECT_EQ(f.bytes(FolderIdentityFileName), content);
    }
}

TEST(ShareResources, OtherYearsFromTheirFilesTheLoadedOneFromMemory) {
    const QString damaged = "カレンダーファイル %1 の "
                            "2件目の記録を読めないため、書き出しを中止しました。\rファイルを確認下さい。";
    // Name, the years shared, the file of 2023 (empty: none), the resources made, the error.
    const std::tuple<const char*, ShareYears, QByteArray, QStringList, QString> rows[] = {
        {"shown year only", ShareYears::Loaded, "", {"x-20240410-pub"}, ""},
        {"every year", ShareYears::AllWithFile, "written", {"x-20230101-pub", "x-20240410-pub"}, ""},
        {"a damaged year stops the export", ShareYears::AllWithFile, "\"01010ok\"\r\n", {}, damaged},
        {"the shown year ignores other files", ShareYears::Loaded, "\"x\"", {"x-20240410-pub"}, ""},
    };
    for (const auto& [name, years, file2023, uids, error] : rows) {
        SCOPED_TRACE(name);
        Fixture f;
        f.writeBytes("HB20241.hbd", "not a year file");
        if (file2023 == "written") {
            f.m().LoadedYear = "2023";
            f.m().PubLine[0][0] = "正月";
            ASSERT_TRUE(PCwrite(f.m(), "2023"));
        } else if (!file2023.isEmpty()) {
            f.writeBytes("HB2023.hbd", file2023);
        }
        f.m().LoadedYear = "2024";
        f.m().PubLine = {};
        f.m().PubLine[3][9] = "運動会"; // not saved
        QString stopped;
        QStringList made;
        for (const CalendarResource& c :
             shareResources(f.m(), years, only(ShareKind::PublicNote), "x", &stopped))
            made << c.uid.mid(7);
        EXPECT_EQ(made, uids);
        EXPECT_EQ(stopped,
                  error.isEmpty() ? QString() : error.arg(QDir::toNativeSeparators(f.path("HB2023.hbd"))));
    }
}

// Years, then one flag per kind in the order of ShareKind.
QString flags(const ExportChoices& c) {
    QString text = c.years == ShareYears::AllWithFile ? "1 " : "0 ";
    for (int k = 0; k < ShareKindCount; ++k)
        text += isChosen(c.kinds, ShareKind(k)) ? "1" : "0";
    return text;
}

TEST(ExportChoices, RememberedAndDefaults) {
    Fixture f;
    const QString defaults = "0 10011100";
    EXPECT_EQ(flags(readExportChoices(f.dir.path())), defaults);
    for (int k = 0; k < ShareKindCount; ++k) {
        const ExportChoices chosen{k % 2 ? ShareYears::AllWithFile : ShareYears::Loaded, only(ShareKind(k))};
        ASSERT_TRUE(writeExportChoices(f.dir.path(), chosen));
        EXPECT_EQ(flags(readExportChoices(f.dir.path())), flags(chosen));
    }
    // A file from before the almanac keeps its choices.
    f.writeBytes(ExportChoicesFileName, "1,0,1,1,0,0,0,1\r\n");
    EXPECT_EQ(flags(readExportChoices(f.dir.path())), "1 01100010");
    for (const QByteArray bad : {"", "1,1", "2,1,1,1,1,1,1,1", "x"}) {
        f.writeBytes(ExportChoicesFileName, bad);
        EXPECT_EQ(flags(readExportChoices(f.dir.path())), defaults) << bad.toStdString();
    }
}

} // namespace
} // namespace hibimo::test
