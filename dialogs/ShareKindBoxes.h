#pragma once

#include "sharing/YearEvents.h"

#include <QString>

namespace hibimo {

// The check boxes of the kinds, in the order of ShareKind, as the export and the publishing settings
// both show them: every box can be reached from the keyboard.
inline ShareKind kindAt(int index) {
    return static_cast<ShareKind>(index);
}

inline QString shareKindBoxText(int index) {
    const ShareKindRow& row = shareKindRow(kindAt(index));
    return row.label + row.mnemonic;
}

} // namespace hibimo
