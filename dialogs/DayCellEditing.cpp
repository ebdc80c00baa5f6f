#include "dialogs/DayCellEditing.h"

#include "app/HbmFrm.h"

namespace hibimo {

void DayCellEditing::connectSignals() {}

} // namespace hibimo
