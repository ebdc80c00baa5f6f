#include "dialogs/ListCommands.h"

#include "app/HbmFrm.h"

namespace hibimo {

void ListCommands::connectSignals() {}

} // namespace hibimo
