#pragma once

#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "tests/TestSupport.h"

#include <QStringList>

namespace hibimo::test {

// The day-entry records of a year file: everything before its end marker.
inline QStringList fileEntries(const QByteArray& bytes) {
    const QString text = decodeCp932(bytes).value_or(QString());
    RecordReader reader(text);
    QStringList entries;
    while (std::optional<QString> record = reader.next()) {
        if (*record == QLatin1String("TTTTT"))
            break;
        entries << *record;
    }
    return entries;
}

inline QStringList utf8List(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

} // namespace hibimo::test
