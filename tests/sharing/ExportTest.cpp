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

// The lines of a resource, unfolded, without its DTSTAMP.
QStringList linesOf(const QByteArray& ics) {
    QStringList lines = QString::fromUtf8(ics).replace("\r\n ", "").split("\r\n", Qt::SkipEmptyParts);
    lines.removeIf([](const QString& l) { return l.startsWith("DTSTAMP:"); });
    return lines;
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
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(linesOf(r[i].ics), head + expected[i] + tail);
    EXPECT_TRUE(
        QRegularExpression("\r\nDTSTAMP:\\d{8}T\\d{6}Z\r\n").match(QString::fromUtf8(r[0].ics)).hasMatch());
}

TEST(FolderIdentity, MadeOnceKeptAndNeverReplaced) {
    Fixture a, b, c;
    QString error, unsaved;
    const QString first = folderIdentity(a.dir.path(), &error);
    EXPECT_TRUE(QRegularExpression("^[0-9a-f-]{36}$").match(first).hasMatch());
    EXPECT_EQ(folderIdentity(a.dir.path(), &error), first);
    EXPECT_NE(folderIdentity(b.dir.path(), &error), first);
    // A publish takes a new identity only once something reached the server.
    EXPECT_EQ(folderIdentity(c.dir.path(), &error, &unsaved, IdentityUse::Publish), unsaved);
    EXPECT_FALSE(QFile::exists(c.path(FolderIdentityFileName)));

    const struct {
        QByteArray content;
        IdentityUse use;
        QString stopped;
    } damaged[] = {{"\"abc\"\r\n", IdentityUse::Export, "書き出しは中止しました。"},
                   {"", IdentityUse::Export, "書き出しは中止しました。"},
                   {"\"\x81\"\r\n", IdentityUse::Publish, "公開は中止しました。"}};
    for (const auto& row : damaged) {
        SCOPED_TRACE(row.content.toStdString());
        Fixture f;
        f.writeBytes(FolderIdentityFileName, row.content);
        QString message;
        EXPECT_EQ(folderIdentity(f.dir.path(), &message, &unsaved, row.use), QString());
        EXPECT_EQ(message, "フォルダーの識別ファイル " +
                               QDir::toNativeSeparators(f.path(FolderIdentityFileName)) +
                               " を読めません。\rファイルを確認下さい。" + row.stopped);
        EXPECT_EQ(f.bytes(FolderIdentityFileName), row.content);
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
