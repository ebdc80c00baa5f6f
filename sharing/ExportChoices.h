#pragma once

#include "sharing/CalendarResource.h"
#include "sharing/YearEvents.h"

#include <QByteArrayView>
#include <QString>

namespace hibimo {

// The file in the program folder that remembers the export dialog's choices.
inline const QString ExportChoicesFileName = QStringLiteral("HBExport.ini");

struct ExportChoices {
    ShareYears years = ShareYears::Loaded;
    ShareKinds kinds;
};

// The remembered choices; the defaults when the file is missing or not one of ours.
ExportChoices readExportChoices(const QString& folder);
ExportChoices exportChoicesFromBytes(QByteArrayView bytes);
// False when the file could not be written; the old one is then untouched.
bool writeExportChoices(const QString& folder, const ExportChoices& choices);

} // namespace hibimo
