#pragma once

#include "colours/MonthCells.h"
#include "dialogs/HbmModule.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"

#include <QCheckBox>
#include <QPushButton>
#include <QString>
#include <array>
#include <memory>

namespace hibimo {

class DayCellEditing;
class MonthMemo;
class ListCommands;
class ColourCommands;
class HelpPrint;
class ShareCommands;
class PublishCommands;
class PrintCommands;
class AlmanacView;

// The main window: the month grid, the year and month beside it, the month memo and the commands.
class HbmFrm : public Form {
    Q_OBJECT
  public:
    explicit HbmFrm(HbmModule& module);
    ~HbmFrm() override;

    HbmModule& m;

    // Day cells, index 7 * row + column: day number, public line, private line, mark.
    std::array<CellBox*, 42> Text1{};
    std::array<CellBox*, 42> Text2{};
    std::array<CellBox*, 42> Text3{};
    std::array<CellBox*, 42> Text5{};
    MemoBox* Text4 = nullptr;
    std::array<Label*, 7> Label1{}; // weekday header
    Label* Label2 = nullptr;        // month
    Label* Label3 = nullptr;        // year
    Label* LblEra = nullptr;        // the year's 和暦, written downwards beside the month
    Label* Label5 = nullptr;        // memo caption
    std::array<Label*, 4> Label6{}; // 1 version, 2 and 3 hints (0 unused)
    std::array<QPushButton*, 2> Command1{};
    std::array<QPushButton*, 2> Command2{};
    Frame* Frame1 = nullptr;
    Frame* Frame2 = nullptr;
    std::array<Label*, 3> LblColor{};
    std::array<Label*, 3> LblHoly{};
    Label* lblPrintForm = nullptr;
    // Writes the calendar to an iCalendar file; the strip below the grid to its left is kept for the
    // publishing commands.
    QPushButton* CmdExport = nullptr;
    // Publishes to the CalDAV collection, and its settings.
    QPushButton* CmdPublish = nullptr;
    QPushButton* CmdPublishSettings = nullptr;
    // The month or year page, printed through a preview.
    QPushButton* CmdPrint = nullptr;
    // Whether the day cells show 六曜 and the lunisolar date.
    QCheckBox* ChkAlmanac = nullptr;
    bool showAlmanac = false;
    // Line1 .. Line12 as line controls of the window (index 0 unused).
    std::array<int, 13> Line{};

    void Form_Load();
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;

    // Shows month H_iM of H_iY from the tables; the year and its neighbouring month must be loaded.
    void F_C_disp(int H_iY, int H_iM);
    // The cells as shown: each one's date, whether it lies in the shown month, its texts and colours.
    const MonthCells& cells() const { return cells_; }
    void TxtBox2Array(int kind, int index);

    void Command1_Click(int Index);
    void Command2_Click(int Index);
    // The loaded year follows the shown month.
    void Label3_Change();

    // The shut-down of Form_Unload, run once however the program is ended (close box, signal, session end).
    void shutDown();
    // The session manager's save: the shown year and the settings reach their files and the program
    // goes on as it was, since the user may still cancel the logout.
    void commitData();

    DayCellEditing& dayCells() { return *dayCells_; }
    MonthMemo& monthMemo() { return *monthMemo_; }
    ListCommands& listCommands() { return *listCommands_; }
    ColourCommands& colourCommands() { return *colourCommands_; }
    HelpPrint& helpPrint() { return *helpPrint_; }
    ShareCommands& shareCommands() { return *shareCommands_; }
    PublishCommands& publishCommands() { return *publishCommands_; }
    PrintCommands& printCommands() { return *printCommands_; }

  private:
    void buildLayout();
    void buildCells();
    void buildSideControls();
    void buildCommandsAndHints();
    Label* label(const QString& name, const QString& caption);
    QPushButton* button(const QString& name, const QString& caption);
    // A command group: a frame with its caption on the border and three clickable labels (twips).
    struct CommandLabel {
        QString caption;
        int left;
        int width;
    };
    Frame* buildCommandFrame(const QString& name, const QString& caption, int top, int labelTop,
                             const QString& labelName, std::array<Label*, 3>& labels,
                             const std::array<CommandLabel, 3>& layout);
    void connectSignals();
    void navigate(int yearStep, int monthStep);

    void applyChromeColours();
    void showCells(const MonthCells& cells);
    void drawFrameLines();
    void showEra(int year);

    MonthCells cells_;
    int eraYear_ = 0;
    bool gridShown_ = false;
    // Screen background, line colour and width of the frame lines drawn last.
    std::array<int, 3> framesDrawn_ = {-1, -1, -1};
    bool unloaded_ = false;
    std::unique_ptr<DayCellEditing> dayCells_;
    std::unique_ptr<MonthMemo> monthMemo_;
    std::unique_ptr<ListCommands> listCommands_;
    std::unique_ptr<ColourCommands> colourCommands_;
    std::unique_ptr<HelpPrint> helpPrint_;
    std::unique_ptr<ShareCommands> shareCommands_;
    std::unique_ptr<PublishCommands> publishCommands_;
    std::unique_ptr<PrintCommands> printCommands_;
    std::unique_ptr<AlmanacView> almanacView_;
};

} // namespace hibimo
