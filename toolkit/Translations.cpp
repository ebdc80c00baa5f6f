#include "toolkit/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace hibimo {

QList<QTranslator*> installQtTranslations(QCoreApplication& app) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    // Dates and sizes in the file dialog follow the same language as its words.
    QLocale::setDefault(japanese);
    QList<QTranslator*> installed;
    auto* qtbase = new QTranslator(&app);
    if (qtbase->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qtbase))
        installed << qtbase;
    else
        delete qtbase;
    return installed;
}

} // namespace hibimo
