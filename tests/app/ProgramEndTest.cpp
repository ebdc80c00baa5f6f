// Ending the program from outside (a signal, the session ending) while one of its modal windows is
// open, and the session manager's save after which the program goes on.
#include "app/ColourCommands.h"
#include "app/ListCommands.h"
#include "calendar/YearFile.h"
#include "colours/HbmColor.h"
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
        ui.modalActions.push_back(typeInMemoDialog("Y2023", true));
        doubleClick(Box::Public, Cell5Dec2023);
        EXPECT_EQ(reread("2023")->PubLine[December][4], "Y2023");
        keepFiles();
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
    // The event loop turns once the handlers have returned.
    static void backInTheEventLoop() { QCoreApplication::sendPostedEvents(); }
};

TEST(ProgramEnd, WhileAModalWindowIsOpenNothingOfItIsStoredAndNoHandlerRunsAfterwards) {
    struct Row {
        const char* name;
        std::function<void(DecemberLastYear&)> openAndEnd;
        std::function<void(DecemberLastYear&)> check;
    } rows[] = {
        {"memo dialog of the public line",
         [](DecemberLastYear& c) {
             c.ui.modalActions.push_back([&c](QWidget& w) {
                 typeInMemoDialog("Z2023", false)(w);
                 c.endFromOutside();
             });
             c.doubleClick(Box::Public, Cell5Dec2023);
         },
         [](DecemberLastYear& c) { EXPECT_EQ(c.reread("2024")->PubLine[December][9], ""); }},
        {"memo dialog of the mark",
         [](DecemberLastYear& c) {
             c.ui.modalActions.push_back(typeInMemoDialog("◎", true));
             c.doubleClick(Box::Mark, Cell5Dec2023);
             c.keepFiles();
             c.ui.modalActions.push_back([&c](QWidget& w) {
                 typeInMemoDialog("×", false)(w);
                 c.endFromOutside();
             });
             c.doubleClick(Box::Mark, Cell5Dec2023);
         },
         [](DecemberLastYear& c) {
             EXPECT_EQ(c.reread("2023")->DayItem[December][5][2], "12052 ◎");
             EXPECT_EQ(c.reread("2024")->DayItem[December][10][2], "");
             EXPECT_EQ(c.m().DayItem[December][10][2], "");
         }},
        {"regenerate dialog (its close box would regenerate)",
         [](DecemberLastYear& c) {
             c.writeLists("**01/01元旦\r\n**12/05テスト");
             c.ui.modalActions.push_back([&c](QWidget&) { c.endFromOutside(); });
             c.f().listCommands().LblHoly_Click(2);
         },
         [](DecemberLastYear&) {}},
        {"colour editor",
         [](DecemberLastYear& c) {
             c.ui.modalActions.push_back([&c](QWidget&) { c.endFromOutside(); });
             c.f().colourCommands().LblColor_Click(0);
         },
         [](DecemberLastYear&) {}},
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
             EXPECT_EQ(year2022->PubLine[December][4], "") << "2023's note filed under 2022";
             EXPECT_EQ(year2022->DayItem[December][0][0], "");
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DecemberLastYear c;
        row.openAndEnd(c);
        c.backInTheEventLoop();
        EXPECT_EQ(c.shutDowns, 1);
        EXPECT_TRUE(QFile::exists(c.path("Hibimo.ini"))) << "the shut-down ran";
        EXPECT_EQ(c.ui.calls, c.callsAtTheEnd) << "nothing shown after the end";
        EXPECT_EQ(c.bytes("HB2023.hbd"), c.file2023) << "2023 keeps what was stored, and only that";
        EXPECT_EQ(c.bytes("HB2024.hbd"), c.file2024) << "nothing of 2023 filed under 2024";
        EXPECT_EQ(c.m().LoadedYear, "2024");
        EXPECT_EQ(c.m().PubLine[December][4], "") << "the reloaded tables got nothing";
        row.check(c);
    }
}

// The session manager saves, but the user may cancel the logout: the program goes on as it was.
TEST(ProgramEnd, TheSessionSaveLeavesTheProgramWorking) {
    for (const bool dialogOpen : {false, true}) {
        SCOPED_TRACE(dialogOpen ? "save asked while the memo dialog is open"
                                : "save asked with no window open");
        DecemberLastYear c;
        if (dialogOpen) {
            c.ui.modalActions.push_back([&c](QWidget& w) {
                c.ui.whenNoModalOpen([&c] { c.f().commitData(); });
                typeInMemoDialog("W2023", true)(w);
            });
            c.doubleClick(Box::Public, Cell5Dec2023);
        } else {
            c.ui.whenNoModalOpen([&c] { c.f().commitData(); });
        }
        c.backInTheEventLoop();
        const QString stored = dialogOpen ? "W2023" : "Y2023";
        EXPECT_TRUE(QFile::exists(c.path("Hibimo.ini")));
        EXPECT_EQ(c.reread("2023")->PubLine[December][4], stored);
        EXPECT_EQ(c.f().Label3->caption(), "2023");
        EXPECT_EQ(c.m().LoadedYear, "2023");
        EXPECT_EQ(c.m().PubLine[December][4], stored) << "the shown month and the tables agree";
        EXPECT_EQ(c.f().Text2[Cell5Dec2023]->text(), stored);

        // Work goes on: an edit, a step into the next year, the close.
        QFile::remove(c.path("Hibimo.ini"));
        c.ui.modalActions.push_back(typeInMemoDialog("V", true));
        c.doubleClick(Box::Private, Cell5Dec2023 + 1);
        EXPECT_EQ(c.reread("2023")->PrivLine[December][5], "V");
        c.f().Command1_Click(1);
        EXPECT_EQ(c.f().Label3->caption(), "2024");
        EXPECT_EQ(c.m().LoadedYear, "2024");
        c.m().PrivLine[0][0] = "初詣";
        c.f().close();
        EXPECT_TRUE(QFile::exists(c.path("Hibimo.ini"))) << "a later close still saves";
        EXPECT_EQ(c.reread("2024")->PrivLine[0][0], "初詣");
        EXPECT_EQ(c.reread("2023")->PubLine[December][4], stored);
    }
}

} // namespace
} // namespace hibimo::test
