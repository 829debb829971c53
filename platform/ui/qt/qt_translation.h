#pragma once
// Qt's own texts (standard buttons, file, print and page set-up dialogs) in Slovak, from
// the Qt translations installed with the system (Debian: qt6-translations-l10n).
class QCoreApplication;
class QTranslator;

namespace tarix::ui {

// Installs the Slovak translator of Qt's own texts on the application, once: a second call
// returns the translator already installed. Null when the translation is not installed on
// this machine (Qt's texts then stay English; the program's own texts are Slovak anyway).
QTranslator *installQtTranslation(QCoreApplication &app);

} // namespace tarix::ui
