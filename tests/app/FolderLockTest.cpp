#include "app/FolderLock.h"

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

} // namespace
} // namespace hibimo::test
