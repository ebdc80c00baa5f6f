#pragma once

#include "sharing/ExportChoices.h"
#include "toolkit/Form.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <array>

namespace hibimo {

struct CalendarModule;

// The modal choice of what an export writes: the years and the kinds of items. Opens on the
// remembered choices; OK leaves the new ones in `choices` and `accepted` set, Escape and the close
// box leave `accepted` false.
class HbmExport : public Form {
    Q_OBJECT
  public:
    explicit HbmExport(CalendarModule& module);

    CalendarModule& m;

    // 0 the shown year, 1 every year with a year file.
    std::array<QRadioButton*, 2> OptYears{};
    // In the order of ShareKind.
    std::array<QCheckBox*, 7> ChkKind{};
    // 0 OK, 1 キャンセル.
    std::array<QPushButton*, 2> ComExport{};

    ExportChoices choices;
    bool accepted = false;

    void Form_Load();
    void ComExport_Click(int Index);
};

} // namespace hibimo
