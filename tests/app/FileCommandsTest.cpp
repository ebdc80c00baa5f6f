// The commands that read and write a file the user names: the colour scheme's Sav and Ld, and
// [書き出し] with its export dialog.
#include "colours/ColourScheme.h"
#include "tests/TestSupport.h"
#include "tests/colours/ColourEditorSupport.h"

#include <climits>

namespace hibimo::test {
namespace {

struct Window : Calendar {
    void click(int index) { QTest::mouseClick(frm->LblColor[index], Qt::LeftButton); }
    int sundayDateFore() const { return foreColor(*frm->Text1[cellOf(5)]); } // 5 May 2024
};

TEST(ColourCommands, LdShowsAFaultyFileAsReadAndSavThenLdRestoresTheWholeScheme) {
    Window w;
    w.writeText("in.ccf", colourFile(Grouped, 0)); // every value different, the closing lines missing
    const QString mine = w.path("配色,一.ccf");    // the quoted field carries the comma
    w.ui.fileAnswers = {w.path("in.ccf"), mine, mine};
    w.click(2);
    EXPECT_EQ(w.ui.messageTexts(), QStringList{ColourFileFaulty});
    EXPECT_EQ(backColor(*w.frm), 1000) << "what was read is shown at once";
    w.ui.messages.clear();
    w.m().colours.ColCommandBack = INT_MIN;
    w.m().colours.ColGuideFore = INT_MAX;
    w.m().colours.YmBorderStyle = 255;
    w.m().colours.FrameLineWidth = -5;
    w.m().colours.VersionText = "ver \"x\""; // a double quote must not end the field
    const auto saved = values(w.m());
    w.click(1);
    ColorDefaults(w.m().colours);
    w.m().colours.ColorFile.clear();
    w.frm->F_C_disp(w.m().CurYear, w.m().CurMonth);
    ASSERT_NE(w.sundayDateFore(), 1005);
    w.click(2);
    EXPECT_TRUE(w.ui.messages.empty());
    EXPECT_EQ(values(w.m()), saved);
    EXPECT_EQ(w.m().colours.ColorFile, mine);
    EXPECT_EQ(w.sundayDateFore(), 1005);
    EXPECT_EQ(backColor(*w.frm), 1000);
}

TEST(ColourCommands, PathsTheFilesCannotHoldAreRefusedAndAskedAgain) {
    const struct {
        const char* name;
        bool save;
        QString file;
        QString refused;
    } rows[] = {
        {"Sav, a letter outside the code page", true, "café.ccf", "é"},
        {"Sav, a double quote", true, "a\"b.ccf", "\""},
        {"Ld, a letter outside the code page", false, "😀.ccf", "😀"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Window w;
        w.writeText("ok.ccf", colourFile());
        w.ui.fileAnswers = {w.path(row.file), w.path("ok.ccf")};
        w.click(row.save ? 1 : 2);
        EXPECT_EQ(w.ui.messageTexts(), QStringList{unstorableCharactersMessage(row.refused)});
        const QString ask = row.save ? "save" : "open";
        EXPECT_EQ(w.ui.calls, (QStringList{ask, "message", ask}));
        EXPECT_FALSE(QFile::exists(w.path(row.file)));
        // Ld takes the stored path from the file it loads.
        EXPECT_EQ(w.m().colours.ColorFile, row.save ? w.path("ok.ccf") : "stored.ccf");
    }
}

// A colour file saved without its suffix once must not be proposed for an export, nor replaced
// without the dialog's question.
TEST(ColourCommands, EachFileDialogAsksForItsOwnKindOfFile) {
    const struct {
        const char* name;
        QString colorFile;
        int command; // LblColor index, or -1 for 書き出し
        const char* suffix;
        QString proposed;
    } rows[] = {
        {"Sav of a file without its suffix", "/x/ピンク祝日", 1, "ccf", "/x/ピンク祝日.ccf"},
        {"Sav without a file", "", 1, "ccf", "Hibimo.ccf"},
        {"Ld", "/x/a.CCF", 2, "ccf", "/x/a.CCF"},
        {"書き出し after a colour file", "/x/ピンク祝日", -1, "ics", "Hibimo2024.ics"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Window w;
        w.m().colours.ColorFile = row.colorFile;
        if (row.command >= 0)
            w.click(row.command);
        else {
            w.ui.modalActions.push_back([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
            w.f().CmdExport->click();
        }
        ASSERT_EQ(w.ui.fileRequests.size(), 1u);
        EXPECT_EQ(w.ui.fileRequests[0].suffix, row.suffix);
        EXPECT_EQ(w.ui.fileRequests[0].proposedName, row.proposed);
    }
}

TEST(ColourCommands, AFolderTheFilesCannotNameIsToldAtEveryColourCommand) {
    Window w;
    ASSERT_TRUE(QDir(w.dir.path()).mkdir("Hibimo😀"));
    w.m().folder = w.path("Hibimo😀");
    w.click(1); // the save dialog cancelled
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_TRUE(w.ui.messages[0].text.startsWith(
        "このプログラムのフォルダ名には、ファイルに保存できない文字があります: 😀\r"));
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
