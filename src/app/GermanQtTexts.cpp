#include "app/GermanQtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zt::app {

QTranslator* installGermanQtTexts(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    // By name, not by the system locale: the program speaks German even
    // where LANG asks for something else.
    if (!translator->load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

} // namespace zt::app
