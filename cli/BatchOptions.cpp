#include "cli/BatchOptions.h"

namespace zt::cli {

BatchOptions parseBatchOptions(const std::vector<std::string>& args)
{
    BatchOptions options;
    for (const auto& arg : args) {
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg.starts_with("-") && arg != "-") {
            options.errors.push_back("unknown option: " + arg);
        } else if (options.letter.empty()) {
            options.letter = arg;
        } else {
            options.errors.push_back("unexpected argument: " + arg);
        }
    }
    if (!options.help && options.errors.empty()) {
        if (options.letter.empty())
            options.errors.push_back("no letter file given");
        else
            options.errors.push_back("no output asked for");
    }
    return options;
}

std::string batchUsage()
{
    return "Usage: zettelino-print LETTER.ZLW OUTPUT...\n"
           "       zettelino-print --help\n"
           "\n"
           "Opens a Zettelino letter file and writes what the letter window would\n"
           "produce from it.\n"
           "\n"
           "Options:\n"
           "  -h, --help     print this help and exit\n"
           "\n"
           "Exit status: 0 done, 2 usage error.\n";
}

} // namespace zt::cli
