// The two list editors: loading, the closing check, saving.
#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "calendar/YearFile.h"
#include "dialogs/HbmBirth.h"
#include "dialogs/HbmHoliD.h"
#include "generation/SampleLists.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

namespace hibimo {
namespace {

using test::cp932;

class Editor : public testing::TestWithParam<bool> { // true: the holiday editor
  protected:
    test::Fixture fx;
    std::unique_ptr<ListEditor> editor;
    bool holiday() const { return GetParam(); }
    QString file() const { return holiday() ? "HBHolyD.dat" : "HBBirth.dat"; }
    QString entry() const { return holiday() ? "*05/20名" : "*1972/05/20名"; }
    QString sample() const { return holiday() ? holidaySampleList() : anniversarySampleList(); }
    std::unique_ptr<ListEditor> opened(test::Fixture& f) const {
        std::unique_ptr<ListEditor> e(holiday() ? static_cast<ListEditor*>(new HbmHoliD(f.m()))
                                                : new HbmBirth(f.m()));
        e->Form_Load();
        e->show();
        return e;
    }
    void open() { editor = opened(fx); }
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
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        test::Fixture f;
        f.writeLists();
        f.m().LoadedYear = "2024";
        for (const QString year : {"2023", "2025"}) {
            auto y = f.reread(year);
            y->DayItem[0][5][2] = "01052 休";
            y->DayItem[1][0][0] = "02000二月";
            y->PubLine[4][19] = "公";
            ASSERT_TRUE(PCwrite(*y, year));
        }
        f.writeBytes("HB2026.hbd", "damaged");
        f.ui.messages.clear();
        f.ui.confirmAnswers = {yes};
        const std::unique_ptr<ListEditor> e = opened(f);
        e->Text1->setText(entry());
        e->Command1->click();
        EXPECT_FALSE(e->isVisible());
        EXPECT_EQ(f.ui.questions, QStringList{file() + "の内容を、ファイルのある次の年にも反映しますか？\r"
                                                       "2023年、2025年、2026年\r"
                                                       "日付枠のメモ、マーク、月のメモはそのまま残ります。"});
        EXPECT_EQ(f.ui.messageTexts(),
                  yes ? QStringList{"次の年のカレンダーファイルには反映できませんでした: 2026年\r"
                                    "ファイルが読み書きできるか、ディスクに空きがあるかを確認下さい。"}
                      : QStringList());
        for (const QString year : {"2023", "2025"}) {
            const auto y = f.reread(year);
            EXPECT_EQ(y->DayItem[4][20][holiday() ? 0 : 1] == (holiday() ? "05200名" : "05201名'72"), yes);
            EXPECT_EQ(y->DayItem[0][5][2], "01052 休");
            EXPECT_EQ(y->DayItem[1][0][0], "02000二月");
            EXPECT_EQ(y->PubLine[4][19], "公");
        }
        EXPECT_EQ(f.bytes("HB2026.hbd"), "damaged");
        EXPECT_FALSE(QFile::exists(f.path("HB2024.hbd")));
    }
}

} // namespace
} // namespace hibimo
