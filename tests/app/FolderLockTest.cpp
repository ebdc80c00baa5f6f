#include "app/FolderLock.h"

#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

// "Already running" sends the user to another window: it must be said only when that is true.
TEST(FolderLock, OnlyAnotherProgramOfTheFolderIsCalledAlreadyRunning) {
    const QString running =
        "Hibimoはこのフォルダですでに起動しています。\r起動中のカレンダーをお使い下さい。";
    Fixture f;
    QLockFile other(f.path("Hibimo.lock"));
    ASSERT_TRUE(other.tryLock(0));
    const QString missing = f.path("gone");
    const struct {
        const char* name;
        QString folder;
        QString message;
    } rows[] = {
        {"another program holds the lock", f.dir.path(), running},
        {"the folder cannot take the lock file", missing, folderNotWritableMessage(missing)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        f.ui.messages.clear();
        QLockFile lock(QDir(row.folder).filePath("Hibimo.lock"));
        EXPECT_FALSE(takeFolderLock(lock, row.folder, f.ui));
        EXPECT_EQ(f.ui.messageTexts(), QStringList{row.message});
    }
    other.unlock();
    QLockFile lock(f.path("Hibimo.lock"));
    EXPECT_TRUE(takeFolderLock(lock, f.dir.path(), f.ui));
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
