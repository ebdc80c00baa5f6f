#include "app/FolderLock.h"
#include "calendar/Records.h"
#include "tests/TestSupport.h"

#include <QGuiApplication>
#include <QScreen>

namespace hibimo::test {
namespace {

// The widgets show the cells of the shown month, also after steps that leave some cells as they were,
// and the screen shows the widgets.
TEST(MainWindowGrid, ShowsTheMonthsCellsAfterEveryStep) {
    Calendar w(QDate(2024, 11, 15));
    HbmModule& m = w.m();
    HbmFrm& f = w.f();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    m.DayItem[10][30][2] = "11302#◆";
    m.PubLine[11][0] = "大掃除";
    for (int index : {0, 1, 1, 1, 0, 0}) { // October .. January and back
        f.Command1_Click(index);
        const MonthCells cells = monthCells(m, m.colours, m.CurYear, m.CurMonth);
        EXPECT_TRUE(f.cells() == cells) << m.CurMonth;
        QCoreApplication::processEvents();
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(f.winId()).toImage();
        for (int i = 0; i < 42; ++i) {
            const QString texts[] = {cells[i].dayText, cells[i].publicText, cells[i].privateText,
                                     cells[i].mark};
            for (Box b : {Box::DayNumber, Box::Public, Box::Private, Box::Mark}) {
                const BoxColours shown{foreColor(*w.box(b, i)), backColor(*w.box(b, i))};
                EXPECT_EQ(w.box(b, i)->text(), texts[int(b)]) << m.CurMonth << " cell " << i;
                EXPECT_EQ(shown, cells[i].colours[int(b)]) << m.CurMonth << " cell " << i;
            }
            // The private line lies under no other box.
            EXPECT_EQ(screen.copy(f.Text3[i]->geometry()),
                      f.Text3[i]->grab().toImage().convertToFormat(screen.format()))
                << m.CurMonth << " cell " << i << " as painted on the screen";
        }
    }
    EXPECT_EQ(f.Label2->caption() + f.Label5->caption(), "1111月行事メモ");
}

TEST(MainWindowGrid, FrameLinesFollowTheirWidth) {
    Calendar w(QDate(2024, 6, 15));
    for (const auto& [width, drawn] : {std::pair{5, QList<int>{30, 5}}, {0, QList<int>{30}}}) {
        w.m().colours.FrameLineWidth = width;
        w.f().F_C_disp(2024, 6);
        QList<int> seen;
        for (const auto& line : w.f().surfaceLines())
            if (!seen.contains(line.widthPx))
                seen << line.widthPx;
        EXPECT_EQ(seen, drawn) << "the erase pass, then the lines of width " << width;
    }
    for (const auto& line : w.f().surfaceLines())
        EXPECT_EQ(line.colour, w.m().colours.ColScreenBack);
}

// Behind a message that a year is being made stands one whole month: the one before the step, or the
// one being made, never a mix of the two.
TEST(MainWindowMessages, AYearCreationMessageStandsOverOneWholeMonth) {
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    // Name, today, the key (none for the first start) and its modifiers, the message of the year made.
    const std::tuple<const char*, QDate, Qt::KeyboardModifiers, Qt::Key, QString> rows[] = {
        {"first start", {2027, 11, 5}, {}, Qt::Key_unknown, yearCreation("2027")},
        {"Page Down into December", {2027, 11, 5}, {}, Qt::Key_PageDown, neighbourCreation(" 2028")},
        {"Page Up into January", {2027, 2, 5}, {}, Qt::Key_PageUp, neighbourCreation(" 2026")},
        {"year -1", {2027, 5, 6}, ctrl, Qt::Key_PageUp, yearCreation("2026")},
        {"year +1", {2028, 5, 6}, ctrl, Qt::Key_PageDown, yearCreation("2029")},
        {"year +1 into a January", {2027, 1, 6}, ctrl, Qt::Key_PageDown, yearCreation("2028")},
    };
    for (const auto& [name, today, modifiers, key, expected] : rows) {
        SCOPED_TRACE(name);
        std::vector<QStringList> behind;
        QStringList made;
        auto look = [&](Calendar& c) {
            if (const QString& text = c.ui.messages.back().text; text.contains("未作成")) {
                behind.push_back(c.shownMonth());
                made << text;
            }
        };
        const bool firstStart = key == Qt::Key_unknown;
        Calendar c(today, true, firstStart ? std::function<void(Calendar&)>(look) : nullptr);
        const QStringList before = c.shownMonth();
        if (!firstStart) {
            c.ui.onMessage = [&](const auto&) { look(c); };
            QTest::keyClick(c.frm.get(), key, modifiers);
        }
        EXPECT_EQ(made, QStringList{expected});
        const QStringList after = c.shownMonth();
        // At the first start there is no month before: the grid is not shown yet.
        for (const QStringList& shown : behind)
            EXPECT_TRUE(shown == before || shown == after || (firstStart && shown.size() == 3))
                << shown.mid(0, 12).join(' ').toStdString();
    }
}

TEST(MainWindowStartUp, FirstStartInAnEmptyFolder) {
    Calendar w(QDate(2024, 5, 3), false);
    HbmFrm& f = w.f();
    EXPECT_EQ(w.startUp, (QStringList{"Hibimo: " + colourText::SettingsUnreadable,
                                      "2024年分作成: " + yearCreation("2024"),
                                      "Hibimo: " + generationText::HolidaysMissing,
                                      "Hibimo: " + generationText::AnniversariesMissing}));
    // On 3 May nothing: only 元旦 exists in the built-in list.
    EXPECT_EQ(f.Label3->caption() + "|" + f.Text2[5]->text(), "2024|");
    EXPECT_TRUE(QFile::exists(w.path("HB2024.hbd")));
    f.close();
    EXPECT_EQ(w.bytes("Hibimo.ini"), ("\"" + w.path("Default.ccf") +
                                      "\"\r\n\"ver 10392\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n\"Dummy\"\r\n")
                                         .toUtf8());
    EXPECT_FALSE(QFile::exists(w.path("HBHolyD.dat")));
}

TEST(MainWindowShutDown, RunsOnceHoweverTheProgramEnds) {
    Calendar w;
    w.f().shutDown();
    QFile::remove(w.path("Hibimo.ini"));
    w.f().close(); // the close box after a signal already ended the session
    EXPECT_FALSE(QFile::exists(w.path("Hibimo.ini")));
}

// "Already running" sends the user to another window: it must be said only when that is true.
TEST(FolderLock, OnlyAnotherProgramOfTheFolderIsCalledAlreadyRunning) {
    const QString running =
        "Hibimoはこのフォルダですでに起動しています。\r起動中のカレンダーをお使い下さい。";
    Fixture f;
    QLockFile other(f.path("Hibimo.lock"));
    ASSERT_TRUE(other.tryLock(0));
    const auto refusal = [&f](const QString& folder) {
        f.ui.messages.clear();
        QLockFile lock(QDir(folder).filePath("Hibimo.lock"));
        EXPECT_FALSE(takeFolderLock(lock, folder, f.ui));
        return f.ui.messageTexts();
    };
    EXPECT_EQ(refusal(f.dir.path()), QStringList{running}) << "another program holds the lock";
    const QString missing = f.path("gone"); // cannot take the lock file
    EXPECT_EQ(refusal(missing), QStringList{folderNotWritableMessage(missing)});
}

TEST(FolderLock, WithoutTheCodePageConverterTheFolderIsLeftUntouched) {
    Fixture f;
    f.writeBytes("HB2024.hbd.Ab12Cd", "a save's leftover");
    simulateMissingCp932Converter(true);
    QLockFile lock(f.path("Hibimo.lock"));
    const bool opened = openProgramFolder(lock, f.dir.path(), f.ui);
    simulateMissingCp932Converter(false);
    EXPECT_FALSE(opened);
    EXPECT_EQ(f.ui.messageTexts(),
              QStringList{"このシステムにはShift_JIS(CP932)の文字コード変換がありません。\r"
                          "ファイルを読むことも書くこともできないため、何も変更せずにHibimoを終了します。\r"
                          "glibcの文字コード変換モジュール(gconv)が入っているか確認下さい。"});
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"HB2024.hbd.Ab12Cd"});
    EXPECT_TRUE(openProgramFolder(lock, f.dir.path(), f.ui));
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Hibimo.lock"});
}

} // namespace
} // namespace hibimo::test
