#include "app/CommandLine.h"

#include <string_view>

namespace zt::app {

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            line.help = true;
        } else if (!optionsEnded && arg == "--version") {
            line.version = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.starts_with("-")) {
            line.errors.push_back("unbekannte Option: " + arg);
        } else if (line.file.empty() && !arg.empty()) {
            line.file = arg;
        } else {
            line.errors.push_back("unerwartetes Argument: " + arg);
        }
    }
    return line;
}

bool asksForHelpOrVersion(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            return false;
        if (arg == "--help" || arg == "-h" || arg == "--version")
            return true;
    }
    return false;
}

std::string programUsage()
{
    return "Aufruf: zettelino [DATEI]\n"
           "        zettelino --help | --version\n"
           "\n"
           "Füllt eine Kurzmitteilung aus, druckt sie und zeigt ihre Vorschau.\n"
           "\n"
           "  DATEI          eine Kurzmitteilung (.ZLW), geöffnet wie mit \"Öffnen...\",\n"
           "                 oder eine Berichtsdatei (.QRP), gezeigt in der Vorschau;\n"
           "                 andere Namen unterscheidet die erste Zeile einer Briefdatei\n"
           "  -h, --help     zeigt diese Hilfe und endet\n"
           "      --version  zeigt die Version und endet\n"
           "  --             Ende der Optionen (für eine Datei, deren Name mit \"-\" beginnt)\n"
           "\n"
           "Ohne DATEI beginnt das Programm mit einer neuen Kurzmitteilung. Die eigenen\n"
           "Optionen des Toolkits (-platform, -display, ...) werden ebenfalls angenommen.\n"
           "\n"
           "Rückgabewert: 0 normal beendet, 2 falscher Aufruf.\n";
}

std::string programVersion(const std::string& program)
{
    return program + " " + ZT_VERSION + "\n";
}

} // namespace zt::app
