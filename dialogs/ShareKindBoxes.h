#pragma once

#include "sharing/YearEvents.h"

#include <QString>
#include <array>

namespace hibimo {

// The check boxes of the kinds, in the order of ShareKind, as the export and the publishing settings
// both show them: every box can be reached from the keyboard.
inline ShareKind kindAt(int index) {
    return static_cast<ShareKind>(index);
}

inline QString shareKindBoxText(int index) {
    static const std::array<QString, ShareKindCount> mnemonics{
        QStringLiteral("(&M)"), QStringLiteral("(&H)"), QStringLiteral("(&G)"), QStringLiteral("(&K)"),
        QStringLiteral("(&S)"), QStringLiteral("(&P)"), QStringLiteral("(&V)")};
    return shareKindLabel(kindAt(index)) + mnemonics[index];
}

} // namespace hibimo
