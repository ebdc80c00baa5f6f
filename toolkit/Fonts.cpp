#include "toolkit/Fonts.h"

#include <QStringList>

namespace hibimo {

void installFontSubstitutions() {
    QFont::insertSubstitutions(MsGothic, {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                                          QStringLiteral("Noto Sans Mono CJK JP")});
    QFont::insertSubstitutions(MsPGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
}

QFont msFont(const QString& family, double points, bool bold) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

} // namespace hibimo
