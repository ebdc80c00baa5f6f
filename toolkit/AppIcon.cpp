#include "toolkit/AppIcon.h"

#include <QApplication>

namespace hibimo {

QIcon appIcon() {
    return QIcon(QStringLiteral(":/hibimo/hibimo.svg"));
}

void installAppIcon() {
    // A window without an icon of its own shows the application's.
    QApplication::setWindowIcon(appIcon());
}

} // namespace hibimo
