#include "sharing/ExportChoices.h"

#include "calendar/Records.h"

#include <QDir>

namespace hibimo {

ExportChoices readExportChoices(const QString& folder) {
    const std::optional<QByteArray> bytes = readFileBytes(QDir(folder).filePath(ExportChoicesFileName));
    return bytes ? exportChoicesFromBytes(*bytes) : ExportChoices();
}

ExportChoices exportChoicesFromBytes(QByteArrayView bytes) {
    FieldReader fields(bytes);
    ExportChoices read;
    const std::optional<qint64> years = fields.nextNumber(0, 1);
    if (!years)
        return {};
    read.years = *years ? ShareYears::AllWithFile : ShareYears::Loaded;
    // One 0/1 field per kind, in the order of ShareKind; a file from before the almanac ends earlier.
    for (int k = 0; k < ShareKindCount; ++k) {
        const std::optional<qint64> on = fields.nextNumber(0, 1);
        if (!on && k == int(ShareKind::Almanac))
            break;
        if (!on)
            return {};
        read.kinds.*shareKindField(static_cast<ShareKind>(k)) = *on == 1;
    }
    return read;
}

bool writeExportChoices(const QString& folder, const ExportChoices& choices) {
    QString text = choices.years == ShareYears::AllWithFile ? QStringLiteral("1") : QStringLiteral("0");
    for (int k = 0; k < ShareKindCount; ++k)
        text +=
            isChosen(choices.kinds, static_cast<ShareKind>(k)) ? QStringLiteral(",1") : QStringLiteral(",0");
    return writeTextFile(QDir(folder).filePath(ExportChoicesFileName), text + QStringLiteral("\r\n"));
}

} // namespace hibimo
