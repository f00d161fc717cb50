#pragma once
// The toolkit's own texts (file dialogs and their replace question, the
// standard context menus, button captions) in German, whatever the user's
// locale says: the whole interface is German.

class QCoreApplication;
class QTranslator;

namespace zt::app {

// Loads the toolkit's German catalogue from its translations folder and
// installs it; the translator belongs to `app`. Null when the catalogue is
// missing (the texts then stay in the toolkit's English).
QTranslator* installGermanQtTexts(QCoreApplication& app);

} // namespace zt::app
