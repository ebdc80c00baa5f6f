#include "colours/ColourCommands.h"

#include "ColourEditorSupport.h"
#include "calendar/Cp932.h"
#include "calendar/YearFile.h"
#include "colours/HbmColor.h"
#include "tests/TestSupport.h"
#include "toolkit/Colours.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

const QString ColourReadMessage =
    QStringLiteral("CCFファイルが違うか 異常です。確認下さい。デフォルトの配色で立ち上げます。");
const QString Reminder =
    QStringLiteral("最終的に配色が決まればカレンダー画面左下の[Sav]をクリックし適当な名前\r\r"
                   "をつけて セーブ下さい。これを実行しないと次回以降に反映されません。");

// Every value of the scheme changed by `step` (the border style flipped).
void shiftScheme(ColourScheme& s, int step) {
    for (const auto& [name, slot] : allSlots())
        s.*slot += step;
    s.YmBorderStyle = s.YmBorderStyle ? 0 : 1;
}

struct Window : Fixture {
    std::unique_ptr<HbmFrm> frm;
    Window() {
        writeList(QStringLiteral("HBHolyD.dat"), QStringLiteral("**01/01元旦"));
        writeList(QStringLiteral("HBBirth.dat"), QStringLiteral("*1972/01/25花子誕生日"));
        frm = startMainWindow(*this);
        ui.calls.clear();
        ui.messages.clear();
    }
    ColourCommands& commands() { return frm->colourCommands(); }
    // December 2024 is shown; 8 December, a Sunday of the month, is cell 7.
    int sundayDateFore() const { return foreColor(*frm->Text1[7]); }
};

TEST(ColourCommands, EveryCommandSavesTheLoadedYearFirst) {
    for (int index : {0, 1, 2}) {
        Window w;
        // The year as changed in memory (the month memo is written back keystroke by keystroke).
        w.m().DayItem[11][0][0] = QStringLiteral("12000") + QStringLiteral("memo %1").arg(index);
        w.m().LoadedYearChanged = true;
        w.commands().LblColor_Click(index); // every dialog cancelled, the editor closed
        EXPECT_EQ(w.bytes(QStringLiteral("HB2024.hbd")), encodeCp932(yearFileText(w.m()))) << index;
        EXPECT_FALSE(w.m().LoadedYearChanged) << index;
        EXPECT_TRUE(QString::fromLatin1(w.bytes(QStringLiteral("HB2024.hbd")))
                        .contains(QStringLiteral("memo %1").arg(index)))
            << index;
    }
}

TEST(ColourCommands, LabelsAreWiredToTheirCommands) {
    Window w;
    QTest::mouseClick(w.frm->LblColor[0], Qt::LeftButton);
    QTest::mouseClick(w.frm->LblColor[1], Qt::LeftButton);
    QTest::mouseClick(w.frm->LblColor[2], Qt::LeftButton);
    EXPECT_EQ(w.ui.calls, (QStringList{QStringLiteral("modal:HbmColor"), QStringLiteral("message"),
                                       QStringLiteral("save"), QStringLiteral("open")}));
    EXPECT_EQ(w.ui.filters, (QStringList{QStringLiteral("配色設定File *.ccf|*.ccf|"),
                                         QStringLiteral("配色設定File *.ccf|*.ccf|All *.*|*.*|")}));
}

TEST(ColourCommands, EditorChangeShowsOnTheMainWindowThenTheReminder) {
    Window w;
    int shownWhileOpen = -1;
    w.ui.colourAnswers.push_back(0x00AA00);
    w.ui.modalActions.push_back([&](QWidget& shown) {
        auto& editor = dynamic_cast<HbmColor&>(shown);
        editor.activateIfPending();
        editor.Command1[5]->click(); // Sunday date colour
        shownWhileOpen = w.sundayDateFore();
        editor.Command3->click();
    });
    w.commands().LblColor_Click(0);
    EXPECT_EQ(w.m().ColSunDateFore, 0x00AA00);
    EXPECT_NE(shownWhileOpen, 0x00AA00);
    // The main window is activated again when the editor closes, and redisplays the month.
    EXPECT_EQ(w.sundayDateFore(), 0x00AA00);
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].text, Reminder);
    EXPECT_EQ(w.ui.messages[0].title, QStringLiteral("Hibimo"));
    // The reminder comes every time, changed or not.
    w.commands().LblColor_Click(0);
    EXPECT_EQ(w.ui.messageTexts(), (QStringList{Reminder, Reminder}));
}

TEST(ColourCommands, SaveThenLoadRestoresTheWholeSchemeAndShowsIt) {
    Window w;
    shiftScheme(w.m(), 1); // something other than the defaults
    const auto saved = values(w.m());
    const QString file = w.path(QStringLiteral("mine.ccf"));
    w.ui.fileAnswers.push_back(file);
    w.commands().LblColor_Click(1);
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(w.m().ColorFile, file);

    shiftScheme(w.m(), 7);
    w.frm->F_C_disp(w.m().CurYear, w.m().CurMonth);
    ASSERT_NE(w.sundayDateFore(), saved.at("ColSunDateFore"));
    w.m().ColorFile.clear();
    w.ui.fileAnswers.push_back(file);
    w.commands().LblColor_Click(2);
    EXPECT_EQ(values(w.m()), saved);
    EXPECT_EQ(w.m().ColorFile, file);
    EXPECT_EQ(w.sundayDateFore(), saved.at("ColSunDateFore"));
    EXPECT_EQ(backColor(*w.frm), saved.at("ColScreenBack"));
    EXPECT_TRUE(w.ui.messages.empty());
}

TEST(ColourCommands, CancelledDialogsTouchNeitherFilesNorScheme) {
    Window w;
    w.m().ColorFile = QStringLiteral("before.ccf");
    const auto before = values(w.m());
    w.commands().LblColor_Click(1);
    w.commands().LblColor_Click(2);
    EXPECT_EQ(w.m().ColorFile, QStringLiteral("before.ccf"));
    EXPECT_EQ(values(w.m()), before);
    EXPECT_TRUE(w.ui.messages.empty());
    EXPECT_FALSE(QFile::exists(w.path(QStringLiteral("before.ccf"))));
}

TEST(ColourCommands, LoadingAForeignFileKeepsWhatWasReadAndRedisplays) {
    Window w;
    const auto before = values(w.m());
    const QString file = w.path(QStringLiteral("notes.txt"));
    // Three text lines as in a colour file, then two numbers and a word.
    w.writeBytes(QStringLiteral("notes.txt"), "\"x\"\r\n\"y\"\r\n\"z\"\r\n255,65280,hello\r\n");
    w.ui.fileAnswers.push_back(file);
    w.commands().LblColor_Click(2);
    EXPECT_EQ(w.ui.messageTexts(), QStringList{ColourReadMessage});
    auto expected = before;
    expected["ColScreenBack"] = 255;
    expected["ColGuideFore"] = 65280;
    EXPECT_EQ(values(w.m()), expected);
    EXPECT_EQ(backColor(*w.frm), 255); // shown at once
}

} // namespace
} // namespace hibimo::test
