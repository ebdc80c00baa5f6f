// [書き出し] on the main window: the export dialog, its keys and remembered choices, the file written.
#include "app/ShareCommands.h"

#include "dialogs/HbmExport.h"
#include "tests/TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

const int RedDay = int(ShareKind::RedDay);

TEST(ShareCommands, TheDialogDecidesWhatIsWritten) {
    const struct {
        const char* name;
        Qt::Key key; // Qt::Key_unknown: the キャンセル button
        bool askedForFile;
    } rows[] = {
        {"Enter confirms", Qt::Key_Return, true},
        {"keypad Enter confirms", Qt::Key_Enter, true},
        {"Escape cancels", Qt::Key_Escape, false},
        {"キャンセル", Qt::Key_unknown, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Calendar cal;
        const QString file = cal.path("out/year");
        QDir(cal.dir.path()).mkdir("out");
        cal.ui.fileAnswers.push_back(file);
        bool openedOnDefaults = false;
        cal.ui.modalActions.push_back([&](QWidget& w) {
            auto& dialog = dynamic_cast<HbmExport&>(w);
            openedOnDefaults = dialog.OptYears[0]->isChecked() && !dialog.ChkKind[RedDay]->isChecked();
            dialog.ChkKind[RedDay]->setChecked(true);
            if (row.key == Qt::Key_unknown)
                dialog.ComExport[1]->click();
            else
                QTest::keyClick(&dialog, row.key);
        });
        cal.f().CmdExport->click();
        EXPECT_TRUE(openedOnDefaults);
        EXPECT_EQ(cal.ui.calls.contains("save"), row.askedForFile);
        const QByteArray written = cal.bytes("out/year.ics");
        EXPECT_EQ(written.contains("SUMMARY:元旦\r\n"), row.askedForFile);
        if (!row.askedForFile) {
            EXPECT_TRUE(cal.ui.messages.empty());
            continue;
        }
        EXPECT_EQ(cal.ui.filters.back(), ShareCommands::SaveFilter);
        ASSERT_EQ(cal.ui.messages.size(), 1u);
        EXPECT_EQ(cal.ui.messages[0].text,
                  QString("%1件の予定を書き出しました。\r").arg(written.count("BEGIN:VEVENT")) +
                      QDir::toNativeSeparators(cal.path("out/year.ics")));

        // The next export opens on what was chosen.
        bool reopenedOnChoice = false;
        cal.ui.modalActions.push_back(
            [&](QWidget& w) { reopenedOnChoice = dynamic_cast<HbmExport&>(w).ChkKind[RedDay]->isChecked(); });
        cal.f().CmdExport->click();
        EXPECT_TRUE(reopenedOnChoice);
    }
}

TEST(ShareCommands, AFailedWriteIsNoSuccess) {
    Calendar cal;
    const QString file = cal.path("missing/folder/year.ics");
    cal.ui.fileAnswers.push_back(file);
    cal.ui.modalActions.push_back([](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); });
    cal.f().CmdExport->click();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(cal.ui.messageTexts(),
              QStringList{"ファイル " + QDir::toNativeSeparators(file) +
                          " を書き込めませんでした。\r書き込み先のフォルダと空き容量を確認下さい。"});
}

TEST(ShareCommands, TheButtonIsReachedFromTheKeyboard) {
    Calendar cal;
    // A mnemonic acts only in the active window.
    cal.frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(cal.frm.get()));
    QTest::keyClick(cal.frm.get(), Qt::Key_E, Qt::AltModifier);
    // The mnemonic presses the button as a click would, after its press is shown.
    EXPECT_TRUE(QTest::qWaitFor([&] { return cal.ui.calls.contains("modal:HbmExport"); }, 2000));
}

} // namespace
} // namespace hibimo::test
