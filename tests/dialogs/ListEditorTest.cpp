// The two list editors: loading, the closing check as generation reads the list, saving.
#include "calendar/Records.h"
#include "dialogs/HbmBirth.h"
#include "dialogs/HbmHoliD.h"
#include "generation/SampleLists.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace hibimo {
namespace {

using test::crlf;
using test::Fixture;

enum class Kind { Holiday, Anniversary };

const char* fileOf(Kind kind) {
    return kind == Kind::Holiday ? "HBHolyD.dat" : "HBBirth.dat";
}

std::unique_ptr<ListEditor> makeEditor(Kind kind, HbmModule& m) {
    if (kind == Kind::Holiday)
        return std::make_unique<HbmHoliD>(m);
    return std::make_unique<HbmBirth>(m);
}

QString sampleOf(Kind kind) {
    return kind == Kind::Holiday ? holidaySampleList() : anniversarySampleList();
}

QString lineMessage(Kind kind, int entry, const QString& excerpt) {
    const QString hint =
        kind == Kind::Holiday
            ? QStringLiteral("とくに 祝祭日(月日or週)の指定が正しく入力されているかチェック願います｡ ")
            : QStringLiteral("とくに 年/月/日 の指定が正しく入力されているかチェック願います｡ ");
    return QStringLiteral(" %1 行目か、その数行先の「%2」に異常があります。\r\r").arg(entry).arg(excerpt) +
           hint;
}

// Types text into the box key by key, as a user (or an input method) would deliver it.
void typeInto(QWidget& box, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r'))
            continue;
        if (text[i] == QLatin1Char('\n'))
            QTest::keyClick(&box, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(text[i]), Qt::NoModifier);
    }
}

struct CheckRow {
    const char* name;
    Kind kind;
    const char* text;
    int entry;           // 0: the text passes and is saved
    const char* excerpt; // quoted in the message
};

std::ostream& operator<<(std::ostream& os, const CheckRow& row) {
    return os << row.name;
}

class ClosingCheck : public ::testing::TestWithParam<CheckRow> {};

TEST_P(ClosingCheck, SavesOnlyWhenEveryStarReadsAsAnEntry) {
    const CheckRow& row = GetParam();
    Fixture fx;
    auto editor = makeEditor(row.kind, fx.m());
    editor->show();
    const QString text = QString::fromUtf8(row.text);
    editor->Text1->setText(text);
    editor->Command1->click();

    if (row.entry == 0) {
        EXPECT_TRUE(fx.ui.messages.empty()) << fx.ui.messageTexts().join(u'|').toStdString();
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(readListFile(fx.path(QString::fromLatin1(fileOf(row.kind)))), trimListText(text));
        return;
    }
    ASSERT_EQ(fx.ui.messageTexts(),
              QStringList{lineMessage(row.kind, row.entry, QString::fromUtf8(row.excerpt))});
    EXPECT_EQ(fx.ui.messages[0].title, QStringLiteral("Hibimo"));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->Text1->text(), text);
    EXPECT_FALSE(QFile::exists(fx.path(QString::fromLatin1(fileOf(row.kind)))));
}

const CheckRow checkRows[] = {
    {"HolidayFixedDate", Kind::Holiday, "**01/01元旦\r\n*01/02初夢", 0, ""},
    {"HolidayMonth13", Kind::Holiday, "*01/01元旦\r\n**13/01十三月", 2, "**13/01十三月"},
    {"HolidayMonth00", Kind::Holiday, "*00/01零月", 1, "*00/01零月"},
    {"HolidayLetterInMonth", Kind::Holiday, "*0a/01文字", 1, "*0a/01文字"},
    {"HolidayDay32", Kind::Holiday, "*01/32三十二日", 1, "*01/32三十二日"},
    {"HolidayDay00Accepted", Kind::Holiday, "*01/00零日", 0, ""},
    {"HolidayFullWidthDigit", Kind::Holiday, "*０1/01全角", 1, "*０1/01全角"},
    {"HolidayWeek6", Kind::Holiday, "*01w6月第六", 1, "*01w6月第六"},
    {"HolidayWeek0", Kind::Holiday, "*01w0月第零", 1, "*01w0月第零"},
    {"HolidayWrongWeekdayChar", Kind::Holiday, "*01w2曜成人", 1, "*01w2曜成人"},
    {"HolidayUpperCaseW", Kind::Holiday, "**01W2月成人の日", 0, ""},
    {"HolidayEverySeventhWeekday", Kind::Holiday,
     "*01w1日a\r\n*01w1月b\r\n*01w1火c\r\n*01w1水d\r\n*01w1木e\r\n*01w1金f\r\n*01w5土g", 0, ""},
    {"HolidayThreeStars", Kind::Holiday, "***01/01三つ", 1, "***01/01三つ"},
    {"HolidayStarInMemoLine", Kind::Holiday, "**01/01元旦\r\nメモ*です\r\n*02/03節分", 2, "*です"},
    {"HolidayStarInsideName", Kind::Holiday, "*01/01元旦*メモ", 2, "*メモ"},
    {"HolidayNoStar", Kind::Holiday, "01/01元旦", 1, ""},
    {"HolidayEmpty", Kind::Holiday, "  \r\n ", 1, ""},
    {"HolidayLastEntryWithoutLineBreak", Kind::Holiday, "*01/01元旦\r\nメモ\r\n**02/11建国", 0, ""},
    {"HolidayEntriesCountedNotLines", Kind::Holiday, "*01/01a\r\nメモ\r\nメモ\r\n*01/02b\r\n*01/3c", 3,
     "*01/3c"},
    {"HolidayExcerptIsTwentyCharacters", Kind::Holiday, "*01/99あいうえおかきくけこさしすせそたち", 1,
     "*01/99あいうえおかきくけこさしすせ"},
    {"HolidayShortEntry", Kind::Holiday, "*01/0", 1, "*01/0"},
    {"AnniversaryDate", Kind::Anniversary, "*1972/01/25花子誕生日S47", 0, ""},
    {"AnniversaryOpenYear", Kind::Anniversary, "*?\?\?\?/05/25誕生日", 0, ""},
    {"AnniversaryAnySecondSeparator", Kind::Anniversary, "*1972/01x25名前", 0, ""},
    {"AnniversaryDay00And30February", Kind::Anniversary, "*2000/02/00a\r\n*2000/02/30b", 0, ""},
    {"AnniversarySingleDigitMonth", Kind::Anniversary, "*1995/9/17名前", 1, "*1995/9/17名前"},
    {"AnniversaryMonth13", Kind::Anniversary, "*1972/01/25a\r\n*1972/13/01b", 2, "*1972/13/01b"},
    {"AnniversaryDay32", Kind::Anniversary, "*1972/01/32名前", 1, "*1972/01/32名前"},
    {"AnniversaryTwoStars", Kind::Anniversary, "**1972/01/25名前", 1, "**1972/01/25名前"},
    {"AnniversaryStarInsideName", Kind::Anniversary, "*1972/01/25花子*メモ", 2, "*メモ"},
    {"AnniversaryStarInMemoLine", Kind::Anniversary, "*1972/01/25花子\r\n贈り物*ピアノ", 2, "*ピアノ"},
    {"AnniversaryNoStar", Kind::Anniversary, "1972/01/25花子", 1, ""},
    {"AnniversaryLastEntryWithoutLineBreak", Kind::Anniversary, "メモ\r\n*1972/01/25花子", 0, ""},
    {"AnniversaryExcerptIsTwentyFiveCharacters", Kind::Anniversary,
     "*1972/01/99あいうえおかきくけこさしすせそたちつてと", 1, "*1972/01/99あいうえおかきくけこさしすせ"},
};

INSTANTIATE_TEST_SUITE_P(Editors, ClosingCheck, ::testing::ValuesIn(checkRows),
                         [](const auto& info) { return std::string(info.param.name); });

class EachEditor : public ::testing::TestWithParam<Kind> {
  protected:
    QString file() const { return QString::fromLatin1(fileOf(GetParam())); }
};

INSTANTIATE_TEST_SUITE_P(Editors, EachEditor, ::testing::Values(Kind::Holiday, Kind::Anniversary),
                         [](const auto& info) {
                             return std::string(info.param == Kind::Holiday ? "Holiday" : "Anniversary");
                         });

TEST_P(EachEditor, UnchangedSampleListPassesAndWritesTheFile) {
    Fixture fx;
    auto editor = makeEditor(GetParam(), fx.m());
    editor->Form_Load();
    ASSERT_EQ(fx.ui.messages.size(), 1u);
    EXPECT_EQ(editor->Text1->text(), sampleOf(GetParam()));
    editor->show();
    editor->Command1->click();
    EXPECT_EQ(fx.ui.messages.size(), 1u);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(readListFile(fx.path(file())), trimListText(sampleOf(GetParam())));
}

TEST_P(EachEditor, LoadFailureShowsTheMessageAndKeepsTheSample) {
    const QString expected = QString::fromLatin1(fileOf(GetParam())) +
                             QStringLiteral("(入力元ﾌｧｲﾙ)が無いか異常です。") +
                             QStringLiteral("ﾌｧｲﾙを探してこのﾌﾟﾛｸﾞﾗﾑのﾌｫﾙﾀﾞに移すか、") +
                             QStringLiteral("ｻﾝﾌﾟﾙﾃﾞｰﾀを表示しますから、これに準じてﾃﾞｰﾀを入力し、") +
                             QStringLiteral("[登録/閉じる]をｸﾘｯｸ下さい。");
    const std::optional<QByteArray> cases[] = {std::nullopt, QByteArray(), QByteArray("\"open quote")};
    for (const auto& bytes : cases) {
        Fixture fx;
        if (bytes)
            fx.writeBytes(file(), *bytes);
        auto editor = makeEditor(GetParam(), fx.m());
        editor->Form_Load();
        EXPECT_EQ(fx.ui.messageTexts(), QStringList{expected}) << bytes.value_or("<missing>").toStdString();
        EXPECT_EQ(editor->Text1->text(), sampleOf(GetParam()));
    }
}

TEST_P(EachEditor, LoadShowsTheFileAsStored) {
    struct Row {
        QByteArray bytes;
        QString shown;
    };
    const Row rows[] = {
        {"\"*01/01a\r\n*1972/01/25b\"\r\n", QStringLiteral("*01/01a\r\n*1972/01/25b")},
        // Edited by hand without quotes: the record reading takes the first line up to a comma.
        {"*01/01a,b\r\n*01/02c\r\n", QStringLiteral("*01/01a")},
        {"\"\"\r\n", QString()},
    };
    for (const Row& row : rows) {
        Fixture fx;
        fx.writeBytes(file(), row.bytes);
        auto editor = makeEditor(GetParam(), fx.m());
        editor->Form_Load();
        EXPECT_TRUE(fx.ui.messages.empty());
        EXPECT_EQ(editor->Text1->text(), row.shown);
        EXPECT_EQ(editor->ListText, row.shown);
    }
}

TEST_P(EachEditor, SaveFailureKeepsTheWindowOpenWithTheText) {
    Fixture fx;
    // A directory in the file's place cannot be replaced by a file, also not for root.
    ASSERT_TRUE(QDir(fx.path({})).mkdir(file()));
    auto editor = makeEditor(GetParam(), fx.m());
    editor->Form_Load();
    editor->show();
    const QString text = GetParam() == Kind::Holiday ? QStringLiteral("**01/01元旦\r\n")
                                                     : QStringLiteral("*1972/01/25花子\r\n");
    editor->Text1->setText(text);
    fx.ui.messages.clear();
    editor->close();
    EXPECT_EQ(fx.ui.messageTexts(),
              QStringList{file() + QStringLiteral("の作成に失敗しました。") +
                          QStringLiteral("考えられる原因はディスクの容量不足（数KB）です。")});
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->Text1->text(), text);
    EXPECT_TRUE(QFileInfo(fx.path(file())).isDir());
}

TEST_P(EachEditor, DoubleQuoteIsStoredAsClosingQuoteAndShownSo) {
    Fixture fx;
    auto editor = makeEditor(GetParam(), fx.m());
    editor->show();
    const QString entry =
        GetParam() == Kind::Holiday ? QStringLiteral("*05/20") : QStringLiteral("*1972/05/20");
    editor->Text1->setText({});
    typeInto(*editor->Text1, QStringLiteral("  ") + entry + QStringLiteral("\"名\"\n"));
    editor->Command1->click();
    const QString stored = entry + QStringLiteral("”名”");
    EXPECT_TRUE(fx.ui.messages.empty());
    EXPECT_EQ(readListFile(fx.path(file())), stored);
    EXPECT_EQ(fx.bytes(file()).count('"'), 2);
    EXPECT_EQ(editor->Text1->text(), QStringLiteral("  ") + stored + QStringLiteral("\r\n"));
}

TEST_P(EachEditor, UnencodableCharactersAreNamedAndNothingIsWritten) {
    Fixture fx;
    auto editor = makeEditor(GetParam(), fx.m());
    editor->show();
    const QString text =
        (GetParam() == Kind::Holiday ? QStringLiteral("*05/20") : QStringLiteral("*1972/05/20")) +
        QStringLiteral("祝😀𠮷");
    editor->Text1->setText(text);
    editor->close();
    ASSERT_EQ(fx.ui.messages.size(), 1u);
    EXPECT_TRUE(fx.ui.messages[0].text.contains(QStringLiteral("😀")));
    EXPECT_TRUE(fx.ui.messages[0].text.contains(QStringLiteral("𠮷")));
    EXPECT_FALSE(fx.ui.messages[0].text.contains(QStringLiteral("祝")));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->Text1->text(), text);
    EXPECT_FALSE(QFile::exists(fx.path(file())));
}

TEST_P(EachEditor, PrintButtonPrintsTheEditorWindow) {
    Fixture fx;
    auto editor = makeEditor(GetParam(), fx.m());
    editor->show();
    editor->Command2->click();
    EXPECT_EQ(fx.ui.calls, QStringList{QStringLiteral("print:") + editor->objectName()});
    EXPECT_TRUE(editor->isVisible());
}

TEST_P(EachEditor, IsATopLevelWindowWithItsLayout) {
    Fixture fx;
    auto editor = makeEditor(GetParam(), fx.m());
    const bool holiday = GetParam() == Kind::Holiday;
    EXPECT_TRUE(editor->isWindow());
    EXPECT_EQ(editor->parentWidget(), nullptr);
    EXPECT_EQ(editor->windowTitle(), holiday ? QStringLiteral("Holiday") : QStringLiteral("Birth day"));
    EXPECT_EQ(editor->size(), holiday ? QSize(558, 491) : QSize(558, 455));
    for (QPushButton* button : {editor->Command1, editor->Command2})
        EXPECT_EQ(editor->childAt(button->geometry().center()), button) << button->text().toStdString();
    // Every control lies inside the client area and the guidance column does not cover the list box.
    const QRect client = editor->rect();
    for (QWidget* child : editor->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(client.contains(child->geometry())) << child->objectName().toStdString();
        if (qobject_cast<Label*>(child) &&
            child->objectName() != QLatin1String(holiday ? "Label2" : "Label1")) {
            EXPECT_FALSE(child->geometry().intersects(editor->Text1->geometry()))
                << child->objectName().toStdString();
        }
    }
}

} // namespace
} // namespace hibimo
