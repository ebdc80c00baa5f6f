#pragma once

#include "sharing/CalendarResource.h"

#include <QLatin1StringView>
#include <QString>

namespace hibimo {

// The kinds of a day's items, in the order a day's events are listed.
enum class ShareKind { MonthMemo, RedDay, Observance, Anniversary, Mark, PublicNote, PrivateNote, Almanac };
inline constexpr int ShareKindCount = 8;

// Everything that tells the kinds apart, one row each in the order of ShareKind: what the check boxes
// show, what the UIDs hold, where ShareKinds and the publishing settings keep the choice.
struct ShareKindRow {
    // The name as the user sees it: the check boxes and the events' category.
    QString label;
    QString mnemonic;
    QLatin1StringView uidTag;
    bool ShareKinds::*field;
    // Its place among HbCalDav.ini's flags, which keep an older order.
    int calDavFlag;
};
const ShareKindRow& shareKindRow(ShareKind kind);

QString shareKindLabel(ShareKind kind);
// Where ShareKinds holds the choice of a kind.
bool ShareKinds::*shareKindField(ShareKind kind);
bool isChosen(const ShareKinds& kinds, ShareKind kind);

} // namespace hibimo
