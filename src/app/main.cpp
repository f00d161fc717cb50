#include "app/CommandLine.h"
#include "app/ProgramLocation.h"
#include "app/SignalClose.h"
#include "app/Startup.h"
#include "letter/window/TFrmMain.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtMessageQueue.h"
#include "platform/qt/QtPrintDialog.h"

#include <iostream>

namespace {

// Help, version and usage errors answer on the terminal and end the program.
int answerOnTerminal(const zt::app::CommandLine& line)
{
    if (line.help) {
        std::cout << zt::app::programUsage();
        return 0;
    }
    if (line.version) {
        std::cout << zt::app::programVersion("zettelino");
        return 0;
    }
    for (const auto& error : line.errors)
        std::cerr << "zettelino: " << error << '\n';
    std::cerr << zt::app::programUsage();
    return zt::app::kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    // Before the toolkit starts, which needs a display.
    if (zt::app::asksForHelpOrVersion(argc, argv))
        return answerOnTerminal(zt::app::parseCommandLine({argv + 1, argv + argc}));
    // Window measures are pixels at 96 pixels per inch. On a denser screen
    // the toolkit scales each window as a whole (its controls keep their
    // places and sizes relative to each other), and pages and pictures are
    // drawn at the screen's own pixels; QT_ENABLE_HIGHDPI_SCALING=0 turns it off.
    zt::app::ZettelinoApplication app(argc, argv);
    QApplication::setApplicationName("zettelino");
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName("zettelino");
    // The toolkit has taken its own options out of argv.
    const zt::app::CommandLine line = zt::app::parseCommandLine({argv + 1, argv + argc});
    if (!line.errors.empty())
        return answerOnTerminal(line);
    zt::platform::qt::QtMessageQueue::install(&app);
    zt::platform::qt::installQtPrinting();
    zt::platform::qt::QtDialogs dialogs;
    zt::platform::setUserDialogs(&dialogs);
    zt::platform::qt::QtClipboard clipboard;
    zt::platform::setClipboard(&clipboard);

    zt::app::ZettelinoProgram program(zt::app::chooseProgramDir(zt::app::programFileFolder()));
    program.Start();
    zt::app::closeOnTerminationSignals(&program.FrmMain());
    const int status = program.Run(line.file);
    program.Finish();
    zt::platform::setUserDialogs(nullptr);
    zt::platform::setClipboard(nullptr);
    return status;
}
