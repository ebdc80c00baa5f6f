#pragma once

#include "calendar/Records.h"
#include "colours/ColourScheme.h"
#include "tests/CoreSupport.h"

#include <QStringList>
#include <utility>
#include <vector>

namespace hibimo::test {

// The whole scheme as a colour file stores it: the numbers of lines 4 to 10, from a copy saved aside.
inline std::vector<qint64> values(HbmModule& m) {
    const QTemporaryDir aside;
    const QString colourFile =
        std::exchange(m.colours.ColorFile, aside.filePath(QStringLiteral("aside.ccf")));
    ColorSave(m, m.colours);
    const QString text = decodeCp932(readFileBytes(m.colours.ColorFile).value_or("")).value_or("");
    m.colours.ColorFile = colourFile;
    std::vector<qint64> numbers;
    for (const QString& line : text.split(QStringLiteral("\r\n")).mid(3, 7))
        for (const QString& n : line.split(QLatin1Char(',')))
            numbers.push_back(n.toLongLong());
    return numbers;
}

// Values unlike the defaults, in lines 4 to 10 as the program writes them: 1000 + position, the border
// style (a byte) 1.
inline const QStringList Grouped = QString("1000,1001,1002,1003,1004,1005,1006,1007|1008,1009,1010,1011,1012|"
                                           "1013,1014,1015,1016,1017|1018,1019,1020,1021,1022,1023,1024|"
                                           "1025,1026,1027,1028,1029,1030|1|1032,1033")
                                       .split('|');

inline QString colourFile(const QStringList& lines = Grouped, int closingDummies = 4) {
    return QStringLiteral("\"stored.ccf\"\r\n\"ver 10392\"\r\n\"Dummy\"\r\n") + lines.join("\r\n") +
           QStringLiteral("\r\n") + QStringLiteral("\"Dummy\"\r\n").repeated(closingDummies);
}

} // namespace hibimo::test
