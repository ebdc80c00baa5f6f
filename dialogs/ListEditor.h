#pragma once

#include "generation/ListCheck.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"

#include <QPushButton>
#include <QString>
#include <initializer_list>

namespace hibimo {

struct CalendarModule;

// What tells the two list editors apart besides their layout: the file, its check and its sample.
struct ListEditorKind {
    QString fileName;
    ListCheckResult (*check)(const QString&);
    QString (*checkMessage)(const ListCheckResult&);
    QString (*sampleList)();
};

// A non-modal window that edits one list file as free text and writes it back only when every entry
// reads the way year generation will read it.
class ListEditor : public Form {
    Q_OBJECT
  public:
    CalendarModule& m;

    MemoBox* Text1 = nullptr;
    QPushButton* Command1 = nullptr; // "登録→閉じる"
    QPushButton* Command2 = nullptr; // "画面印刷"

    // The list text as last read from the file or stored into it.
    QString ListText;

    // Fills the box from the file; the sample list stays when the file cannot be read.
    void Form_Load();
    // Checks and saves; on any failure the window stays open with the text as the user left it.
    void Form_Unload(int& Cancel) override;

    void Command1_Click();
    void Command2_Click();

  protected:
    ListEditor(CalendarModule& module, ListEditorKind kind);
    // Creates the box and the buttons at their places (twips), connected to their handlers.
    void buildCommon(QRect text, QRect command1, QRect command2);
    // One guidance label of the right-hand column, at its designed place (twips).
    struct GuidanceRow {
        Label*& label;
        QString name;
        QString text;
        int top;
        int height;
    };
    // Creates the guidance column, rows top to bottom. A label whose text needs more lines than its
    // place gives (the substitute fonts run taller than the ones the layout was drawn for) grows, and
    // the labels below it move down as far as needed, the last one no further than the window's
    // bottom edge.
    void buildGuidance(int left, int width, std::initializer_list<GuidanceRow> column);

  private:
    // Copies the file that could not be read, or not all of it, to "<name>.bak"; false when that failed.
    bool keepUnreadableFile();
    // Back in the box with the faulty entry selected, so that typing goes on there.
    void selectFaultyEntry(const QString& typed, const ListCheckResult& result);
    // Offers to bring the saved list to the other years that have a file.
    void offerOtherYears();

    ListEditorKind kind_;
    enum class Original { Read, Unreadable, PartlyRead };
    Original original_ = Original::Read;
};

} // namespace hibimo
