#include "app/ListCommands.h"

#include "app/HbmFrm.h"
#include "calendar/YearFile.h"
#include "dialogs/HbmBirth.h"
#include "dialogs/HbmHoliD.h"
#include "dialogs/HbmModule.h"
#include "dialogs/HbmReNew.h"
#include "generation/YearGeneration.h"
#include "toolkit/Interaction.h"

namespace hibimo {

ListCommands::ListCommands(HbmFrm& frm) : frm_(frm) {}

ListCommands::~ListCommands() = default;

void ListCommands::connectSignals() {
    for (int k = 0; k < int(frm_.LblHoly.size()); ++k)
        QObject::connect(frm_.LblHoly[k], &Label::Click, &frm_, [this, k] { LblHoly_Click(k); });
}

void ListCommands::LblHoly_Click(int Index) {
    HbmModule& m = frm_.m;
    // Closing any of these windows activates the main window, which reloads the year from its file.
    PCwrite(m, m.LoadedYear);
    switch (Index) {
    case 0:
        showEditor(holiD_);
        break;
    case 1:
        showEditor(birth_);
        break;
    case 2:
        regenerate();
        break;
    default:
        break;
    }
}

// The editors are top-level windows without a parent: closing the main window leaves them open, and
// the program ends only when the last of them is closed.
template <class Editor> void ListCommands::showEditor(std::unique_ptr<Editor>& editor) {
    if (!editor || !editor->isOpen()) {
        editor = std::make_unique<Editor>(frm_.m);
        editor->Form_Load();
        editor->centreOnScreen();
    }
    editor->showModeless(&frm_);
}

void ListCommands::regenerate() {
    HbmModule& m = frm_.m;
    bool answered = false;
    {
        HbmReNew dialog(m);
        dialog.setOpener(&frm_);
        dialog.Form_Load();
        dialog.centreOnScreen();
        answered = m.ui.showModal(dialog);
    }
    // Ended from outside while the question was open: as if cancelled, whatever its close box means.
    if (!answered || m.RenewChoice == 2)
        return;
    YearMake(m, m.LoadedYear);
    frm_.F_C_disp(m.CurYear, m.CurMonth);
}

} // namespace hibimo
