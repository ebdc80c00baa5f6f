#pragma once

class QPushButton;

namespace hibimo {

class Form;

// Enter and Escape in one of the program's own windows, as in any dialog of the desktop: Escape closes
// the window exactly as its close box does (Form_Unload decides), and an Enter that no control has used
// presses the focused button, or else `defaultButton` (nullptr: such an Enter does nothing).
void installDialogKeys(Form& form, QPushButton* defaultButton);

} // namespace hibimo
