// [書き出し] on the main window: the export dialog, its keys and remembered choices, the file written.
#include "app/ShareCommands.h"

#include "dialogs/HbmExport.h"
#include "tests/TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

const int RedDay = int(ShareKind::RedDay);

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
