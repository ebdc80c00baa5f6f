#pragma once

#include <QFont>
#include <QString>

namespace hibimo {

inline const QString MsGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString MsPGothic = QStringLiteral("ＭＳ Ｐゴシック");

// Maps the window fonts' names to the Japanese fonts installed here (IPA, then Noto Sans CJK JP).
// The Japanese font also becomes the default font of every window and message box.
// Called once at start-up, before any window is made.
void installFontSubstitutions();

// A font by the name the windows use, in points.
QFont msFont(const QString& family, double points, bool bold = false);

} // namespace hibimo
