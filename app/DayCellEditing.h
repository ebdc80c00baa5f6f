#pragma once

#include <QObject>
#include <QString>
#include <memory>

namespace hibimo {

class HbmFrm;
class HbmInput;

// Double-click editing of the day cells and the growing of long boxes.
class DayCellEditing {
  public:
    explicit DayCellEditing(HbmFrm& frm);
    ~DayCellEditing();
    // Connects the main window's controls to the handlers.
    void connectSignals();

    void Text1_DblClick(int Index);
    void Text2_DblClick(int Index);
    void Text3_DblClick(int Index);
    void Text5_DblClick(int Index);

    void Text2_GotFocus(int Index);
    void Text2_LostFocus(int Index);
    void Text3_GotFocus(int Index);
    void Text3_LostFocus(int Index);
    void Text5_Click(int Index);
    void Text5_LostFocus(int Index);
    void Text3_Change(int Index);

    // The memo dialog, created on first use.
    HbmInput& memoDialog();

  private:
    enum class Line { Public, Private };
    void lineEdit(Line line, int i);
    // Refuses a cell of the previous or next month; true when refused.
    bool refusedAsOtherMonth(int i);
    QString dayTitle(int i) const;

    HbmFrm& frm_;
    std::unique_ptr<HbmInput> input_;
    // The connections end with this object: the window's boxes still report focus changes while the
    // window is being destroyed, after this object has gone.
    QObject context_;
};

} // namespace hibimo
