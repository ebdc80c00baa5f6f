// The two list editors: loading, the closing check, saving; and the [国] [個] [反映] commands on the main
// window: editors kept one at a time, regeneration.
#include "app/ListCommands.h"
#include "calendar/Records.h"
#include "calendar/YearFile.h"
#include "dialogs/HbmBirth.h"
#include "dialogs/HbmHoliD.h"
#include "dialogs/HbmReNew.h"
#include "generation/SampleLists.h"
#include "tests/TestSupport.h"

namespace hibimo::test {
namespace {

class Editor : public testing::TestWithParam<bool> { // true: the holiday editor
  protected:
    Fixture fx;
    std::unique_ptr<ListEditor> editor;
    bool holiday() const { return GetParam(); }
    QString file() const { return holiday() ? "HBHolyD.dat" : "HBBirth.dat"; }
    QString entry() const { return holiday() ? "*05/20名" : "*1972/05/20名"; }
    QString sample() const { return holiday() ? holidaySampleList() : anniversarySampleList(); }
    void open() {
        editor.reset(holiday() ? static_cast<ListEditor*>(new HbmHoliD(fx.m())) : new HbmBirth(fx.m()));
        editor->Form_Load();
        editor->show();
    }
    // Closes with text in the box; true when the window went away.
    bool closeWith(const QString& text) {
        fx.ui.messages.clear();
        editor->Text1->setText(text);
        editor->Command1->click();
        return !editor->isVisible();
    }
};

INSTANTIATE_TEST_SUITE_P(Lists, Editor, testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "Holidays" : "Anniversaries");
});

TEST_P(Editor, AnUnreadableFileGivesTheSampleWhichIsSavedUnchanged) {
    const QString message =
        file() + "(入力元ﾌｧｲﾙ)が無いか異常です。ﾌｧｲﾙを探してこのﾌﾟﾛｸﾞﾗﾑのﾌｫﾙﾀﾞに移すか、"
                 "ｻﾝﾌﾟﾙﾃﾞｰﾀを表示しますから、これに準じてﾃﾞｰﾀを入力し、[登録/閉じる]をｸﾘｯｸ下さい。";
    open(); // missing
    fx.writeBytes(file(), "");
    open();
    fx.writeBytes(file(), "\"open quote");
    open();
    EXPECT_EQ(fx.ui.messageTexts(), QStringList({message, message, message}));
    EXPECT_EQ(editor->Text1->text(), sample());
    EXPECT_TRUE(closeWith(sample()));
    EXPECT_EQ(fx.ui.messageTexts(),
              QStringList{file() + "は読み込めなかったため、元のファイルを" + file() +
                          ".bakとして残しました。\r必要なら、その内容をこの一覧に写して下さい。"});
    EXPECT_EQ(fx.bytes(file() + ".bak"), QByteArray("\"open quote")) << "kept before the sample replaced it";
    EXPECT_EQ(readListFile(fx.path(file())), trimListText(sample()));
}

TEST_P(Editor, AFailedCheckOrSaveKeepsTheWindowOpenWithTheText) {
    open();
    const QString faulty = " \r\n" + entry() + "\r\n*13\r\n" + entry();
    EXPECT_FALSE(closeWith(faulty));
    ASSERT_EQ(fx.ui.messages.size(), 1u);
    EXPECT_TRUE(fx.ui.messages[0].text.startsWith(" 2 行目か、その数行先の「*13」に異常があります。"));
    EXPECT_EQ(editor->Text1->text(), faulty);
    EXPECT_EQ(editor->focusWidget(), editor->Text1) << "typing goes on in the list";
    EXPECT_EQ(editor->Text1->textCursor().selectedText(), "*13");
    EXPECT_FALSE(QFile::exists(fx.path(file())));

    ASSERT_TRUE(QDir(fx.dir.path()).mkdir(file())); // cannot be replaced by a file, also not for root
    EXPECT_FALSE(closeWith(entry()));
    EXPECT_EQ(fx.ui.messageTexts(),
              QStringList{file() + "の作成に失敗しました。考えられる原因はディスクの容量不足（数KB）です。"});
    EXPECT_EQ(editor->Text1->text(), entry());
}

TEST_P(Editor, TextAfterTheClosingQuoteIsToldAndKeptInTheBak) {
    const QByteArray original = "\"" + cp932(entry()) + "\"\r\n" + cp932(entry() + "追加") + "\r\n";
    fx.writeBytes(file(), original);
    open();
    EXPECT_EQ(fx.ui.messageTexts(),
              QStringList{file() + "の最後の\"より後ろにある次の文字は読み込まれていません。\r" + entry() +
                          "追加\r必要なら、この一覧に書き加えて下さい。登録すると、元のファイルを" + file() +
                          ".bakとして残します。"});
    EXPECT_EQ(editor->Text1->text(), entry());
    EXPECT_TRUE(closeWith(entry()));
    EXPECT_EQ(fx.ui.messageTexts(),
              QStringList{file() + "の一部は読み込めなかったため、元のファイルを" + file() +
                          ".bakとして残しました。\r必要なら、その内容をこの一覧に写して下さい。"});
    EXPECT_EQ(fx.bytes(file() + ".bak"), original);
}

// 2024 is the loaded year; 2023 and 2025 have files with the user's texts, 2026 a damaged one.
TEST_P(Editor, ASavedListIsAppliedToTheOtherYearsWithFilesOnlyWhenTheUserSaysSo) {
    fx.writeLists();
    fx.m().LoadedYear = "2024";
    for (const QString year : {"2023", "2025"}) {
        auto y = fx.reread(year);
        y->DayItem[0][5][2] = "01052 休";
        y->DayItem[1][0][0] = "02000二月";
        y->PubLine[4][19] = "公";
        ASSERT_TRUE(PCwrite(*y, year));
    }
    fx.writeBytes("HB2026.hbd", "damaged");
    fx.ui.confirmAnswers = {false, true};
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        open();
        EXPECT_TRUE(closeWith(entry()));
        EXPECT_EQ(fx.ui.questions,
                  QStringList(yes ? 2 : 1, file() + "の内容を、ファイルのある次の年にも反映しますか？\r"
                                                    "2023年、2025年、2026年\r"
                                                    "日付枠のメモ、マーク、月のメモはそのまま残ります。"));
        EXPECT_EQ(fx.ui.messageTexts(),
                  yes ? QStringList{"次の年のカレンダーファイルには反映できませんでした: 2026年\r"
                                    "ファイルが読み書きできるか、ディスクに空きがあるかを確認下さい。"}
                      : QStringList());
        for (const QString year : {"2023", "2025"}) {
            const auto y = fx.reread(year);
            EXPECT_EQ(y->DayItem[4][20][holiday() ? 0 : 1] == (holiday() ? "05200名" : "05201名'72"), yes);
            EXPECT_EQ(QStringList({y->DayItem[0][5][2], y->DayItem[1][0][0], y->PubLine[4][19]}),
                      QStringList({"01052 休", "02000二月", "公"}));
        }
        EXPECT_EQ(fx.bytes("HB2026.hbd"), "damaged");
        EXPECT_FALSE(QFile::exists(fx.path("HB2024.hbd")));
    }
}

// May 2024 shown, with texts typed on 3 and 20 May and not yet saved.
struct Lists : Calendar {
    Lists() {
        m().DayItem[4][3][2] = "05032#休";
        m().PubLine[4][19] = "メモ";
        m().PrivLine[4][19] = "私";
        m().LoadedYearChanged = true;
    }
    ListCommands& commands() { return frm->listCommands(); }
    ListEditor* editor(int index) {
        return index == 0 ? static_cast<ListEditor*>(commands().holidayEditor())
                          : commands().anniversaryEditor();
    }
    bool redDate(int day) const {
        return foreColor(*frm->Text1[Lists::cellOf(day)]) == module->colours.ColHolidayDateFore;
    }
};

TEST(Regenerate, TheAnswerDecidesWhileUserTextsAlwaysStay) {
    // The earlier answer (0 update, 2 cancel), the button pressed (-1: the close box), the answer after.
    const std::tuple<int, int, int> rows[] = {{0, 0, 0}, {0, 2, 2}, {0, -1, 0}, {2, -1, 2}, {2, 0, 0}};
    for (const auto& [before, button, after] : rows) {
        SCOPED_TRACE(testing::Message() << before << " then " << button);
        const bool regenerated = after == 0;
        Lists cal;
        cal.m().RenewChoice = static_cast<std::uint8_t>(before);
        cal.commands().LblHoly_Click(0);
        cal.editor(0)->Text1->setText("**01/01元旦\r\n**05/20テスト");
        cal.editor(0)->Command1->click();
        QString seen; // the year shown, and the mark in the year file as the dialog opens
        cal.ui.modalActions.push_back([&](QWidget& w) {
            auto& dialog = dynamic_cast<HbmReNew&>(w);
            seen = dialog.LbYReNew->caption() + "|" + cal.reread()->DayItem[4][3][2];
            if (button >= 0)
                dialog.ComReNew[button]->click();
        });
        cal.commands().LblHoly_Click(2);
        EXPECT_EQ(seen, " 2024年|05032#休");
        EXPECT_EQ(cal.m().RenewChoice, after);
        for (const char* when : {"after the dialog", "after reloading the year file"}) {
            SCOPED_TRACE(when);
            EXPECT_EQ(cal.redDate(20), regenerated);
            EXPECT_EQ(cal.frm->Text2[Lists::cellOf(20)]->text(), regenerated ? "テストメモ" : "メモ");
            EXPECT_EQ(cal.frm->Text3[Lists::cellOf(20)]->text(), "花子'72私");
            // The red day taken out of the list loses its colour and its name, never the user's mark.
            EXPECT_EQ(cal.redDate(3), !regenerated);
            EXPECT_EQ(cal.frm->Text2[Lists::cellOf(3)]->text(), regenerated ? "" : "憲法記念日");
            EXPECT_EQ(cal.frm->Text5[Lists::cellOf(3)]->text(), "休");
            cal.frm->Form_Activate();
        }
        EXPECT_TRUE(cal.ui.messages.empty()) << cal.ui.messageTexts().join('|').toStdString();
    }
}

TEST(ListCommands, AnEditorIsOneWindowOfItsOwnThatComesBackToTheFrontAndOutlivesTheMainWindow) {
    for (int index : {0, 1}) {
        SCOPED_TRACE(index == 0 ? "[国]" : "[個]");
        Lists cal;
        cal.commands().LblHoly_Click(index);
        ListEditor* editor = cal.editor(index);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(cal.reread()->DayItem[4][3][2], "05032#休") << "the year is saved before the editor opens";
        editor->Text1->setText("未保存");
        cal.writeText(index == 0 ? "HBHolyD.dat" : "HBBirth.dat", "\"*changed on disk\"\r\n");
        cal.commands().LblHoly_Click(index);
        EXPECT_EQ(std::tuple(cal.editor(index), editor->isVisible(), editor->Text1->text()),
                  std::tuple(editor, true, QString("未保存")));
        editor->showMinimized();
        ASSERT_TRUE(editor->isMinimized());
        activate(cal.f());
        cal.commands().LblHoly_Click(index);
        EXPECT_FALSE(editor->isMinimized());
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor));
        cal.frm->close();
        EXPECT_FALSE(cal.frm->isVisible());
        editor->close(); // "未保存" has no entry
        EXPECT_EQ(std::pair(editor->isVisible(), editor->testAttribute(Qt::WA_QuitOnClose)),
                  std::pair(true, true));
        editor->Text1->setText(index == 0 ? "*01/01a" : "*1972/01/01a");
        editor->close();
        EXPECT_EQ(std::pair(editor->isVisible(), cal.ui.messages.size()), std::pair(false, size_t(1)));
    }
}

} // namespace
} // namespace hibimo::test
