#include "calendar/HbmModule.h"

#include <QDir>

namespace hibimo {

QString HbmModule::filePath(const QString& name) const {
    return QDir(folder).filePath(name);
}

} // namespace hibimo
