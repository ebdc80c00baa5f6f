// The commands that read and write a file the user names: the colour scheme's Sav and Ld, and
// [書き出し] with its export dialog.
#include "tests/TestSupport.h"

#include <climits>

namespace hibimo::test {
namespace {

// A colour file whose values differ from the defaults, in lines 4 to 10 as the program writes them: 1000 +
// position, the border style (a byte) 1.
QString colourFile(int closingDummies) {
    return "\"stored.ccf\"\r\n\"ver 10392\"\r\n\"Dummy\"\r\n1000,1001,1002,1003,1004,1005,1006,1007\r\n"
           "1008,1009,1010,1011,1012\r\n1013,1014,1015,1016,1017\r\n1018,1019,1020,1021,1022,1023,1024\r\n"
           "1025,1026,1027,1028,1029,1030\r\n1\r\n1032,1033\r\n" +
           QString("\"Dummy\"\r\n").repeated(closingDummies);
}

struct Window : Calendar {
    void click(int index) { QTest::mouseClick(frm->LblColor[index], Qt::LeftButton); }
    int sundayDateFore() const { return foreColor(*frm->Text1[cellOf(5)]); } // 5 May 2024
};

TEST(ColourCommands, LdShowsAFaultyFileAsReadAndSavThenLdRestoresTheWholeScheme) {
    Window w;
    w.writeText("in.ccf", colourFile(0));       // every value different, the closing lines missing
    const QString mine = w.path("配色,一.ccf"); // the quoted field carries the comma
    w.ui.fileAnswers = {w.path("in.ccf"), mine, mine};
    w.click(2);
    EXPECT_EQ(w.ui.messageTexts(), QStringList{colourText::ColourFileFaulty});
    EXPECT_EQ(backColor(*w.frm), 1000) << "what was read is shown at once";
    w.ui.messages.clear();
    ColourScheme& c = w.m().colours; // values at the edges of what the file holds
    c.ColCommandBack = INT_MIN;
    c.ColGuideFore = INT_MAX;
    c.YmBorderStyle = 255;
    c.FrameLineWidth = -5;
    c.VersionText = "ver \"x\""; // a double quote must not end the field
    const auto saved = values(w.m());
    w.click(1);
    ColorDefaults(w.m().colours);
    w.m().colours.ColorFile.clear();
    w.frm->F_C_disp(w.m().CurYear, w.m().CurMonth);
    ASSERT_NE(w.sundayDateFore(), 1005);
    w.click(2);
    EXPECT_TRUE(w.ui.messages.empty());
    EXPECT_EQ(values(w.m()), saved);
    EXPECT_EQ(std::tuple(c.ColorFile, w.sundayDateFore(), backColor(*w.frm)), std::tuple(mine, 1005, 1000));
}

TEST(ColourCommands, PathsTheFilesCannotHoldAreRefusedAndAskedAgain) {
    // Sav refuses a letter outside the code page and a double quote, Ld a letter outside the code page.
    const std::tuple<bool, QString, QString> rows[] = {
        {true, "café.ccf", "é"}, {true, "a\"b.ccf", "\""}, {false, "😀.ccf", "😀"}};
    for (const auto& [save, file, refused] : rows) {
        SCOPED_TRACE(file.toStdString());
        Window w;
        w.writeText("ok.ccf", colourFile(4));
        w.ui.fileAnswers = {w.path(file), w.path("ok.ccf")};
        w.click(save ? 1 : 2);
        EXPECT_EQ(w.ui.messageTexts(), QStringList{unstorableCharactersMessage(refused)});
        const QString ask = save ? "save" : "open";
        EXPECT_EQ(w.ui.calls, (QStringList{ask, "message", ask}));
        EXPECT_FALSE(QFile::exists(w.path(file)));
        // Ld takes the stored path from the file it loads.
        EXPECT_EQ(w.m().colours.ColorFile, save ? w.path("ok.ccf") : "stored.ccf");
    }
}

// A colour file saved without its suffix once must not be proposed for an export, nor replaced
// without the dialog's question.
TEST(ColourCommands, EachFileDialogAsksForItsOwnKindOfFile) {
    // The colour file before (the first without its suffix), the command (LblColor index, -1: 書き出し), and
    // the suffix and name its dialog proposes.
    const std::tuple<QString, int, QString> rows[] = {{"/x/ピンク祝日", 1, "ccf|/x/ピンク祝日.ccf"},
                                                      {"", 1, "ccf|Hibimo.ccf"},
                                                      {"/x/a.CCF", 2, "ccf|/x/a.CCF"},
                                                      {"/x/ピンク祝日", -1, "ics|Hibimo2024.ics"}};
    for (const auto& [colorFile, command, proposed] : rows) {
        Window w;
        w.m().colours.ColorFile = colorFile;
        if (command >= 0)
            w.click(command);
        else {
            w.ui.modalActions.push_back([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
            w.f().CmdExport->click();
        }
        ASSERT_EQ(w.ui.fileRequests.size(), 1u) << proposed.toStdString();
        EXPECT_EQ(w.ui.fileRequests[0].suffix + "|" + w.ui.fileRequests[0].proposedName, proposed);
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

TEST(ShareCommands, TheButtonIsReachedFromTheKeyboardAndAFailedWriteIsNoSuccess) {
    Calendar cal;
    const QString file = cal.path("missing/folder/year.ics");
    cal.ui.fileAnswers.push_back(file);
    cal.ui.modalActions.push_back([](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); });
    activate(cal.f());
    QTest::keyClick(cal.frm.get(), Qt::Key_E, Qt::AltModifier);
    // The mnemonic presses the button as a click would, after its press is shown.
    ASSERT_TRUE(QTest::qWaitFor([&] { return cal.ui.calls.contains("modal:HbmExport"); }, 2000));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(cal.ui.messageTexts(),
              QStringList{"ファイル " + QDir::toNativeSeparators(file) +
                          " を書き込めませんでした。\r書き込み先のフォルダと空き容量を確認下さい。"});
}

} // namespace
} // namespace hibimo::test
