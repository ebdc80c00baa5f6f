#include "calendar/CalendarModule.h"

#include <QDir>

namespace hibimo {

QString CalendarModule::filePath(const QString& name) const {
    return QDir(folder).filePath(name);
}

} // namespace hibimo
