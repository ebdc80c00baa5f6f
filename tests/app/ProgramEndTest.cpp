// Ending the program from outside (a signal, the session ending) while one of its modal windows is
// open, and the session manager's save after which the program goes on.
#include "app/ColourCommands.h"
#include "app/ListCommands.h"
#include "dialogs/HbmInput.h"
#include "tests/TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test {
namespace {

const int December = 11;
// December 2023 begins on a Friday, December 2024 on a Sunday: 5 December 2023 and 10 December 2024
// share cell 9.
const int Cell5Dec2023 = 9;

std::function<void(QWidget&)> typeInMemoDialog(const QString& text, bool ok) {
    return [text, ok](QWidget& w) {
        auto& dialog = static_cast<HbmInput&>(w);
        dialog.Text1->setText(text);
        if (ok)
            QTest::mouseClick(dialog.Command1[0], Qt::LeftButton);
    };
}

// Today 15 December 2024, one year back, "Y2023" stored on 5 December 2023's public line.
struct DecemberLastYear : Calendar {
    int shutDowns = 0;
    QByteArray file2023, file2024;
    QStringList callsAtTheEnd;

    DecemberLastYear() : Calendar(QDate(2024, 12, 15)) {
        f().Command2_Click(0);
        edit(Box::Public, "Y2023");
        EXPECT_EQ(reread("2023")->PubLine[December][4], "Y2023");
        keepFiles();
    }
    void edit(Box box, const QString& text, int cell = Cell5Dec2023) {
        ui.modalActions.push_back(typeInMemoDialog(text, true));
        doubleClick(box, cell);
    }
    void keepFiles() {
        file2023 = bytes("HB2023.hbd");
        file2024 = bytes("HB2024.hbd");
        ui.calls.clear();
        ui.messages.clear();
    }
    // What a signal or the session's end does (see main).
    void endFromOutside() {
        callsAtTheEnd = ui.calls;
        ui.endFromOutside([this] {
            ++shutDowns;
            f().shutDown();
        });
    }
    void endInModal() {
        ui.modalActions.push_back([this](QWidget&) { endFromOutside(); });
    }
};

TEST(ProgramEnd, WhileAModalWindowIsOpenNothingOfItIsStoredAndNoHandlerRunsAfterwards) {
    using Step = std::function<void(DecemberLastYear&)>;
    const auto typeThenEnd = [](DecemberLastYear& c, const QString& text) {
        c.ui.modalActions.push_back([&c, text](QWidget& w) {
            typeInMemoDialog(text, false)(w);
            c.endFromOutside();
        });
    };
    const struct {
        const char* name;
        Step openAndEnd, check;
    } rows[] = {
        {"memo dialog of the public line",
         [&](DecemberLastYear& c) {
             typeThenEnd(c, "Z2023");
             c.doubleClick(Box::Public, Cell5Dec2023);
         },
         [](DecemberLastYear& c) { EXPECT_EQ(c.reread("2024")->PubLine[December][9], ""); }},
        {"memo dialog of the mark",
         [&](DecemberLastYear& c) {
             c.edit(Box::Mark, "◎");
             c.keepFiles();
             typeThenEnd(c, "×");
             c.doubleClick(Box::Mark, Cell5Dec2023);
         },
         [](DecemberLastYear& c) {
             EXPECT_EQ(c.reread("2023")->DayItem[December][5][2], "12052 ◎");
             EXPECT_EQ(c.reread("2024")->DayItem[December][10][2] + c.m().DayItem[December][10][2], "");
         }},
        {"regenerate dialog (its close box would regenerate)",
         [](DecemberLastYear& c) {
             c.writeLists("**01/01元旦\r\n**12/05テスト");
             c.endInModal();
             c.f().listCommands().LblHoly_Click(2);
         },
         nullptr},
        {"colour editor",
         [](DecemberLastYear& c) {
             c.endInModal();
             c.f().colourCommands().LblColor_Click(0);
         },
         nullptr},
        {"year creation message of a step into a year without file",
         [](DecemberLastYear& c) {
             c.ui.onMessage = [&c](const ScriptedInteraction::Message& message) {
                 if (message.title == "2022年分作成")
                     c.endFromOutside();
             };
             c.f().Command2_Click(0);
         },
         [](DecemberLastYear& c) {
             const auto year2022 = c.reread("2022");
             EXPECT_EQ(year2022->PubLine[December][4] + year2022->DayItem[December][0][0], "")
                 << "2023's notes filed under 2022";
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DecemberLastYear c;
        row.openAndEnd(c);
        QCoreApplication::sendPostedEvents(); // the event loop turns once the handlers have returned
        EXPECT_EQ(c.shutDowns, 1);
        EXPECT_TRUE(QFile::exists(c.path("Hibimo.ini"))) << "the shut-down ran";
        EXPECT_EQ(c.ui.calls, c.callsAtTheEnd) << "nothing shown after the end";
        EXPECT_EQ(c.bytes("HB2023.hbd"), c.file2023) << "2023 keeps what was stored, and only that";
        EXPECT_EQ(c.bytes("HB2024.hbd"), c.file2024) << "nothing of 2023 filed under 2024";
        EXPECT_EQ(c.m().LoadedYear, "2024");
        EXPECT_EQ(c.m().PubLine[December][4], "") << "the reloaded tables got nothing";
        if (row.check)
            row.check(c);
    }
}

// The session manager saves, but the user may cancel the logout: the program goes on as it was.
TEST(ProgramEnd, TheSessionSaveLeavesTheProgramWorking) {
    for (const bool dialogOpen : {false, true}) {
        SCOPED_TRACE(dialogOpen ? "save asked while the memo dialog is open"
                                : "save asked with no window open");
        DecemberLastYear c;
        const auto commit = [&c] { c.ui.whenNoModalOpen([&c] { c.f().commitData(); }); };
        if (dialogOpen) {
            c.ui.modalActions.push_back([&](QWidget& w) {
                commit();
                typeInMemoDialog("W2023", true)(w);
            });
            c.doubleClick(Box::Public, Cell5Dec2023);
        } else {
            commit();
        }
        QCoreApplication::sendPostedEvents();
        const QString stored = dialogOpen ? "W2023" : "Y2023";
        EXPECT_TRUE(QFile::exists(c.path("Hibimo.ini")));
        EXPECT_EQ(c.reread("2023")->PubLine[December][4], stored);
        EXPECT_EQ(c.f().Label3->caption() + c.m().LoadedYear, "20232023");
        EXPECT_EQ(c.m().PubLine[December][4], stored) << "the shown month and the tables agree";
        EXPECT_EQ(c.f().Text2[Cell5Dec2023]->text(), stored);

        // Work goes on: an edit, a step into the next year, the close.
        QFile::remove(c.path("Hibimo.ini"));
        c.edit(Box::Private, "V", Cell5Dec2023 + 1);
        EXPECT_EQ(c.reread("2023")->PrivLine[December][5], "V");
        c.f().Command1_Click(1);
        EXPECT_EQ(c.f().Label3->caption() + c.m().LoadedYear, "20242024");
        c.m().PrivLine[0][0] = "初詣";
        c.f().close();
        EXPECT_TRUE(QFile::exists(c.path("Hibimo.ini"))) << "a later close still saves";
        EXPECT_EQ(c.reread("2024")->PrivLine[0][0], "初詣");
        EXPECT_EQ(c.reread("2023")->PubLine[December][4], stored);
    }
}

} // namespace
} // namespace hibimo::test
