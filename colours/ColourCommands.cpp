#include "colours/ColourCommands.h"

#include "app/HbmFrm.h"

namespace hibimo {

void ColourCommands::connectSignals() {}

} // namespace hibimo
