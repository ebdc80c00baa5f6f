#include "toolkit/QtInteraction.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

// The suffix is the dialog's own, so that its question before replacing a file sees the real name.
TEST(QtDialogs, AFileDialogProposesANameOfItsKindInItsKindsFolder) {
    QTemporaryDir dir;
    QtInteraction ui(dir.path());
    QString seen;
    const auto look = [&] {
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            seen = d->defaultSuffix() + "|" + d->selectedFiles().value(0) + "|" +
                   (d->testOption(QFileDialog::DontConfirmOverwrite) ? "replaces" : "asks");
            d->reject();
        });
    };
    look();
    EXPECT_EQ(ui.saveFileName({"iCalendar *.ics|*.ics|", "ics", "Hibimo2027.ics"}), "");
    EXPECT_EQ(seen, "ics|" + dir.filePath("Hibimo2027.ics") + "|asks");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    look();
    EXPECT_EQ(ui.openFileName({"配色設定File *.ccf|*.ccf|", "ccf", dir.filePath("sub/a.ccf")}), "");
    EXPECT_EQ(seen, "ccf|" + dir.filePath("sub/a.ccf") + "|asks");
}

} // namespace
} // namespace hibimo
