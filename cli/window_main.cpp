// The batch tool's commands that need the toolkit; zettelino-print hands
// them over to this program (cli/WindowTool.h).
#include "cli/BatchOptions.h"
#include "cli/ExitStatus.h"
#include "cli/LetterCommands.h"
#include "cli/ReportCommands.h"
#include "export/QRExportLibrary.h"
#include "platform/qt/QtPrintDialog.h"

#include <QApplication>
#include <QtGlobal>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    const zt::cli::BatchOptions options = zt::cli::parseBatchOptions({argv + 1, argv + argc});
    if (const auto status = zt::cli::answerWithoutRunning(options, std::cout, std::cerr))
        return *status;
    // The batch tool needs no display: its pages render offscreen, whatever
    // the environment asks for (a session's "wayland" or "xcb" without a
    // display would abort it). Qt's own chatter about that setting would only
    // clutter a script's error output.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "zettelino-print: " << message.toStdString() << '\n';
    });
    // Widgets: the letter commands run the real letter window, hidden.
    QApplication app(argc, argv);
    zt::platform::qt::installQtPrinting();
    // As the program does at start-up: the PDF filter is in the library.
    zt::exporting::RegisterExportFilters();
    const bool letter = options.letterInput();
    try {
        if (letter)
            return zt::cli::runLetterCommands(options, std::cout, std::cerr);
        return zt::cli::runReportCommands(options, std::cout, std::cerr);
    } catch (const std::exception& e) {
        // What no command expects, as fonts that cannot be found, still ends
        // with the status of its kind.
        std::cerr << "zettelino-print: " << e.what() << '\n';
        return zt::cli::exitStatusFor(e, letter ? zt::cli::InputFile::Letter : zt::cli::InputFile::SavedReport);
    }
}
