#include "dialogs/HelpPrint.h"

#include "app/HbmFrm.h"

namespace hibimo {

void HelpPrint::connectSignals() {}

} // namespace hibimo
