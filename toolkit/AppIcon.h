#pragma once

#include <QIcon>

namespace hibimo {

// The program's icon (a month page with a red day), built into the executable.
QIcon appIcon();

// Makes it the icon of every window of the program, Qt's own dialogs and message boxes included.
void installAppIcon();

} // namespace hibimo
