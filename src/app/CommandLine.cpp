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
            line.errors.push_back("unknown option: " + arg);
        } else if (line.file.empty() && !arg.empty()) {
            line.file = arg;
        } else {
            line.errors.push_back("unexpected argument: " + arg);
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
    return "Usage: zettelino [FILE]\n"
           "       zettelino --help | --version\n"
           "\n"
           "Fills in, prints and previews a short letter (Kurzmitteilung).\n"
           "\n"
           "  FILE           a letter file (.ZLW) to open, as \"Öffnen...\" opens it,\n"
           "                 or a saved report file (.QRP) to show in the preview;\n"
           "                 other names are told apart by a letter file's first line\n"
           "  -h, --help     print this help and exit\n"
           "      --version  print the version and exit\n"
           "  --             end of options (for a file whose name starts with \"-\")\n"
           "\n"
           "Without FILE the program starts with a new letter. The toolkit's own\n"
           "options (-platform, -display, ...) are accepted as well.\n"
           "\n"
           "Exit status: 0 ended normally, 2 usage error.\n";
}

std::string programVersion(const std::string& program)
{
    return program + " " + ZT_VERSION + "\n";
}

} // namespace zt::app
