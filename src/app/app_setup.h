#pragma once
// Application-wide settings made once at start-up: title, style, fonts,
// hints.

class QApplication;
class QCoreApplication;
class QString;
class QTranslator;

namespace kelvane {

void SetUpApplication(QApplication& app);

// Qt's own dialogs and buttons (file, font, colour, print, page set-up,
// Yes/No) in Japanese, from Qt's catalogue "qtbase_ja" in `folder`. Without
// the catalogue they stay in English and nothing is installed. Returns the
// installed translator (owned by `app`) or nullptr.
QTranslator* InstallQtTranslations(QCoreApplication& app, const QString& folder);

}  // namespace kelvane
