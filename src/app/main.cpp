#include "app/ProgramLocation.h"
#include "app/SignalClose.h"
#include "app/Startup.h"
#include "letter/TFrmMain.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtMessageQueue.h"
#include "platform/qt/QtPrintDialog.h"

int main(int argc, char** argv)
{
    // Window measures are pixels at 96 pixels per inch; the windows do not rescale.
    if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING"))
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    zt::app::ZettelinoApplication app(argc, argv);
    QApplication::setApplicationName("zettelino");
    zt::platform::qt::QtMessageQueue::install(&app);
    zt::platform::qt::installQtPrinting();
    zt::platform::qt::QtDialogs dialogs;
    zt::platform::setUserDialogs(&dialogs);
    zt::platform::qt::QtClipboard clipboard;
    zt::platform::setClipboard(&clipboard);

    zt::app::ZettelinoProgram program(zt::app::chooseProgramDir(zt::app::programFileFolder()));
    program.Start();
    zt::app::closeOnTerminationSignals(&program.FrmMain());
    const int status = program.Run();
    program.Finish();
    zt::platform::setUserDialogs(nullptr);
    zt::platform::setClipboard(nullptr);
    return status;
}
