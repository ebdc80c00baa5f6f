#include "dialogs/MonthMemo.h"

#include "app/HbmFrm.h"

namespace hibimo {

void MonthMemo::connectSignals() {}

} // namespace hibimo
