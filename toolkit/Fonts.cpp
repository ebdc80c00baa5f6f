#include "toolkit/Fonts.h"

#include <QGuiApplication>
#include <QStringList>

namespace hibimo {

void installFontSubstitutions() {
    QFont::insertSubstitutions(MsGothic, {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                                          QStringLiteral("Noto Sans Mono CJK JP")});
    QFont::insertSubstitutions(MsPGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    // Every text of this program is Japanese, message boxes and dialogs included: with the Japanese
    // font as the default, no text is first laid out in a Latin font that lacks the glyphs.
    QGuiApplication::setFont(msFont(MsGothic, 9));
}

QFont msFont(const QString& family, double points, bool bold) {
    QFont f;
    // The installed fonts by name: asking the font database for the window fonts' own names first
    // costs a fallback search of all fonts for every size and weight.
    QStringList families = QFont::substitutes(family);
    families.append(family);
    f.setFamilies(families);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

} // namespace hibimo
