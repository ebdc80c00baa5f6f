#pragma once

#include <QList>

class QCoreApplication;
class QTranslator;

namespace hibimo {

// Loads Qt's own Japanese texts (file, colour and input dialogs, standard buttons) into the
// application, whatever the user's locale: every word the program itself shows is Japanese, and a
// dialog that answers in another language would be the one foreign thing on the screen.
// Returns the translators installed (owned by the application); empty when Qt's catalogue is missing.
QList<QTranslator*> installQtTranslations(QCoreApplication& app);

} // namespace hibimo
