#include "sharing/ShareKinds.h"

#include <array>

namespace hibimo {

const ShareKindRow& shareKindRow(ShareKind kind) {
    using S = ShareKinds;
    using L = QLatin1StringView;
    // UIDs and the settings files hold the tags and the flag places: they never change.
    static const std::array<ShareKindRow, ShareKindCount> rows{{
        {QStringLiteral("月のメモ"), QStringLiteral("(&M)"), L("memo"), &S::memos, 3},
        {QStringLiteral("祝日・休日"), QStringLiteral("(&H)"), L("red"), &S::redDays, 5},
        {QStringLiteral("行事"), QStringLiteral("(&G)"), L("obs"), &S::observances, 6},
        {QStringLiteral("記念日"), QStringLiteral("(&K)"), L("anniv"), &S::anniversaries, 4},
        {QStringLiteral("印"), QStringLiteral("(&S)"), L("mark"), &S::marks, 2},
        {QStringLiteral("公開の予定"), QStringLiteral("(&P)"), L("pub"), &S::publicNotes, 0},
        {QStringLiteral("非公開の予定"), QStringLiteral("(&V)"), L("priv"), &S::privateNotes, 1},
        {QStringLiteral("六曜・旧暦"), QStringLiteral("(&R)"), L("almanac"), &S::almanac, 9},
    }};
    return rows[int(kind)];
}

QString shareKindLabel(ShareKind kind) {
    return shareKindRow(kind).label;
}

bool ShareKinds::*shareKindField(ShareKind kind) {
    return shareKindRow(kind).field;
}

bool isChosen(const ShareKinds& kinds, ShareKind kind) {
    return kinds.*shareKindField(kind);
}

} // namespace hibimo
