#include "app/HbmFrm.h"

namespace hibimo {

void HbmFrm::TxtBox2Array(int kind, int index) {
    (void)kind;
    (void)index;
}

} // namespace hibimo
