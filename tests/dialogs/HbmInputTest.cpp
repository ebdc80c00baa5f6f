// The memo dialog on its own: layout, and what it hands back for each way of closing it.
#include "dialogs/HbmInput.h"

#include "calendar/HbmModule.h"
#include "tests/TestSupport.h"
#include "toolkit/Twips.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

using test::Fixture;

void typeKeys(QWidget& box, const QString& text) {
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

TEST(HbmInputLayout, CaptionsPositionsAndTabOrder) {
    Fixture fx;
    HbmModule& m = fx.m();
    m.MemoText = QStringLiteral("旧");
    m.MemoGuide1 = QStringLiteral("一行目");
    m.MemoGuide2 = QStringLiteral("二行目");
    m.MemoTitle = QStringLiteral("5/3--見出し");
    HbmInput d(m);
    d.show();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Hbmメモ入力"));
    EXPECT_EQ(d.size(), QSize(twipsToPx(5760), twipsToPx(3045)));
    struct Row {
        const char* name;
        QWidget* w;
        QRect twips;
    } rows[] = {
        {"Label1", d.Label1, {285, 1755, 5295, 420}},
        {"Label2", d.Label2, {285, 2265, 5295, 615}},
        {"Text1", d.Text1, {150, 555, 5415, 330}},
        {"O K", d.Command1[0], {4275, 975, 1290, 375}},
        {"元に戻す", d.Command1[1], {165, 1005, 1020, 315}},
        {"削　除", d.Command1[2], {1200, 1020, 1020, 300}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.w->geometry(),
                  twipRect(row.twips.x(), row.twips.y(), row.twips.width(), row.twips.height()))
            << row.name;
    EXPECT_EQ(d.Label3->pos(), QPoint(twipsToPx(180), twipsToPx(225)));
    EXPECT_TRUE(d.Label3->font().bold());
    EXPECT_DOUBLE_EQ(d.Label3->font().pointSizeF(), 9.75);
    EXPECT_DOUBLE_EQ(d.Command1[0]->font().pointSizeF(), 11.25);
    EXPECT_EQ(d.Command1[0]->text(), QStringLiteral("O K"));
    EXPECT_EQ(d.Command1[1]->text(), QStringLiteral("元に戻す"));
    EXPECT_EQ(d.Command1[2]->text(), QStringLiteral("削　除"));
    EXPECT_EQ(d.Label1->caption(), QStringLiteral("一行目"));
    EXPECT_EQ(d.Label2->caption(), QStringLiteral("二行目"));
    EXPECT_EQ(d.Label3->caption(), QStringLiteral("5/3--見出し"));
    EXPECT_EQ(d.Text1->text(), QStringLiteral("旧"));
    EXPECT_EQ(d.focusWidget(), d.Text1) << "the input line takes the focus first";
    EXPECT_EQ(d.Text1->nextInFocusChain(), d.Command1[0]);
    EXPECT_EQ(d.Command1[0]->nextInFocusChain(), d.Command1[1]);
    EXPECT_EQ(d.Command1[1]->nextInFocusChain(), d.Command1[2]);
    d.close();
}

struct OutcomeRow {
    const char* name;
    const char* opened;
    std::function<void(HbmInput&)> act;
    const char* handedBack;
};

void PrintTo(const OutcomeRow& row, std::ostream* os) {
    *os << row.name;
}

class HbmInputOutcome : public ::testing::TestWithParam<OutcomeRow> {};

TEST_P(HbmInputOutcome, HandsBackTheConfirmedTextOnly) {
    const OutcomeRow& row = GetParam();
    Fixture fx;
    HbmModule& m = fx.m();
    HbmInput d(m);
    m.MemoText = QString::fromUtf8(row.opened);
    fx.ui.modalActions.push_back([&row](QWidget& w) { row.act(static_cast<HbmInput&>(w)); });
    m.ui.showModal(d);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(m.MemoText, QString::fromUtf8(row.handedBack));
    EXPECT_TRUE(fx.ui.messages.empty());
}

void click(QPushButton* b) {
    QTest::mouseClick(b, Qt::LeftButton);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HbmInputOutcome,
    ::testing::Values(OutcomeRow{"OkOnEmptyText", "", [](HbmInput& d) { click(d.Command1[0]); }, ""},
                      OutcomeRow{"TypedThenOk", "旧",
                                 [](HbmInput& d) {
                                     d.Text1->clear();
                                     typeKeys(*d.Text1, QStringLiteral("新しい予定"));
                                     click(d.Command1[0]);
                                 },
                                 "新しい予定"},
                      OutcomeRow{"TypedRevertedThenOk", "旧",
                                 [](HbmInput& d) {
                                     typeKeys(*d.Text1, QStringLiteral("追加"));
                                     click(d.Command1[1]);
                                     EXPECT_EQ(d.Text1->text(), QStringLiteral("旧"));
                                     click(d.Command1[0]);
                                 },
                                 "旧"},
                      OutcomeRow{"ClearedThenOk", "旧",
                                 [](HbmInput& d) {
                                     click(d.Command1[2]);
                                     EXPECT_EQ(d.Text1->text(), QString());
                                     click(d.Command1[0]);
                                 },
                                 ""},
                      OutcomeRow{"TypedThenCloseBox", "旧",
                                 [](HbmInput& d) {
                                     typeKeys(*d.Text1, QStringLiteral("追加"));
                                     d.close();
                                 },
                                 "旧"},
                      OutcomeRow{"EscapeDoesNothing", "旧",
                                 [](HbmInput& d) {
                                     typeKeys(*d.Text1, QStringLiteral("追加"));
                                     QTest::keyClick(d.Text1, Qt::Key_Escape);
                                     QTest::keyClick(&d, Qt::Key_Escape);
                                     EXPECT_TRUE(d.isVisible());
                                     EXPECT_EQ(d.Text1->text(), QStringLiteral("旧追加"));
                                 },
                                 "旧"},
                      OutcomeRow{"EnterMovesToOkAndSecondEnterPressesIt", "旧",
                                 [](HbmInput& d) {
                                     typeKeys(*d.Text1, QStringLiteral("追加"));
                                     QTest::keyClick(d.Text1, Qt::Key_Return);
                                     EXPECT_TRUE(d.isVisible()) << "Enter in the input line does not close";
                                     EXPECT_EQ(d.focusWidget(), d.Command1[0]);
                                     QTest::keyClick(d.Command1[0], Qt::Key_Return);
                                 },
                                 "旧追加"},
                      OutcomeRow{"EnterOnAnotherButtonPressesThatButton", "旧",
                                 [](HbmInput& d) {
                                     d.Command1[2]->setFocus();
                                     QTest::keyClick(d.Command1[2], Qt::Key_Return);
                                     EXPECT_TRUE(d.isVisible());
                                     EXPECT_EQ(d.Text1->text(), QString());
                                 },
                                 "旧"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HbmInputReuse, EachShowStartsFromTheTextItIsGiven) {
    Fixture fx;
    HbmModule& m = fx.m();
    HbmInput d(m);
    m.MemoText = QStringLiteral("一回目");
    m.MemoTitle = QStringLiteral("題1");
    fx.ui.modalActions.push_back(
        [](QWidget& w) { static_cast<HbmInput&>(w).Text1->setText(QStringLiteral("x")); });
    m.ui.showModal(d);
    EXPECT_EQ(m.MemoText, QStringLiteral("一回目"));

    m.MemoText = QStringLiteral("二回目");
    m.MemoTitle = QStringLiteral("題2");
    QString seen, title;
    fx.ui.modalActions.push_back([&](QWidget& w) {
        auto& dlg = static_cast<HbmInput&>(w);
        seen = dlg.Text1->text();
        title = dlg.Label3->caption();
        click(dlg.Command1[1]);
        click(dlg.Command1[0]);
    });
    m.ui.showModal(d);
    EXPECT_EQ(seen, QStringLiteral("二回目"));
    EXPECT_EQ(title, QStringLiteral("題2"));
    EXPECT_EQ(m.MemoText, QStringLiteral("二回目")) << "元に戻す goes back to this show's text";
}

TEST(HbmInputUnstorable, OkNamesTheCharactersAndKeepsTheDialogOpen) {
    struct Row {
        const char* name;
        QString typed;
        QString named;
    } rows[] = {
        {"emoji", QStringLiteral("会議😀"), QStringLiteral("😀")},
        {"two kinds, each named once", QStringLiteral("𠮷野家😀😀"), QStringLiteral("𠮷😀")},
    };
    for (const auto& row : rows) {
        Fixture fx;
        HbmModule& m = fx.m();
        HbmInput d(m);
        m.MemoText = QStringLiteral("旧");
        bool stillOpen = false;
        QString shown;
        fx.ui.modalActions.push_back([&](QWidget& w) {
            auto& dlg = static_cast<HbmInput&>(w);
            dlg.Text1->setText(row.typed);
            click(dlg.Command1[0]);
            stillOpen = dlg.isVisible();
            shown = dlg.Text1->text();
        });
        m.ui.showModal(d);
        EXPECT_TRUE(stillOpen) << row.name;
        EXPECT_EQ(shown, row.typed) << row.name;
        ASSERT_EQ(fx.ui.messages.size(), 1u) << row.name;
        EXPECT_EQ(fx.ui.messages[0].text, QStringLiteral("次の文字は保存できません: ") + row.named +
                                              QStringLiteral("\r別の文字に置き換えて下さい。"))
            << row.name;
        EXPECT_EQ(fx.ui.messages[0].title, AppTitle);
        EXPECT_EQ(m.MemoText, QStringLiteral("旧")) << row.name << ": closed afterwards by its close box";
    }
}

} // namespace
} // namespace hibimo
