#include "cli/BatchOptions.h"

#include "files/FileKind.h"

#include <algorithm>
#include <ostream>

namespace zt::cli {

bool BatchOptions::letterInput() const
{
    if (std::any_of(outputs.begin(), outputs.end(), [](const BatchOutput& o) { return o.lettersOnly(); }))
        return true;
    if (std::any_of(outputs.begin(), outputs.end(), [](const BatchOutput& o) { return o.reportsOnly(); }))
        return false;
    return !outputs.empty() && files::LooksLikeLetterFile(input);
}

BatchOptions parseBatchOptions(const std::vector<std::string>& args)
{
    BatchOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--printers") {
            options.listPrinters = true;
        } else if (arg == "--print") {
            // The printer's name, when one follows the input file.
            std::string printer;
            if (!options.input.empty() && i + 1 < args.size() && !args[i + 1].starts_with("-"))
                printer = args[++i];
            options.outputs.push_back({BatchOutput::Kind::Print, printer});
        } else if (arg == "--info") {
            options.outputs.push_back({BatchOutput::Kind::Info, {}});
        } else if (arg == "--png") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                options.errors.push_back("--png needs a folder");
            else
                options.outputs.push_back({BatchOutput::Kind::Png, args[++i]});
        } else if (arg == "--text" || arg == "--zlw" || arg == "--qrp" || arg == "--pdf") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                options.errors.push_back(arg + " needs a file");
            else
                options.outputs.push_back({arg == "--text"  ? BatchOutput::Kind::Text
                                           : arg == "--zlw" ? BatchOutput::Kind::Zlw
                                           : arg == "--pdf" ? BatchOutput::Kind::Pdf
                                                            : BatchOutput::Kind::Qrp,
                                           args[++i]});
        } else if (arg.starts_with("-") && arg != "-") {
            options.errors.push_back("unknown option: " + arg);
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            options.errors.push_back("unexpected argument: " + arg);
        }
    }
    const auto any = [&](bool (BatchOutput::*pred)() const) {
        return std::any_of(options.outputs.begin(), options.outputs.end(),
                           [pred](const BatchOutput& o) { return (o.*pred)(); });
    };
    if (any(&BatchOutput::lettersOnly) && any(&BatchOutput::reportsOnly))
        options.errors.push_back("--text, --zlw and --qrp read a letter file, --info a saved report file; they "
                                 "cannot be mixed");
    if (!options.help && !options.version && options.errors.empty() &&
        !(options.listPrinters && options.input.empty() && options.outputs.empty())) {
        if (options.input.empty())
            options.errors.push_back("no input file given");
        else if (options.outputs.empty() && !options.listPrinters)
            options.errors.push_back("no output asked for");
    }
    return options;
}

std::string batchUsage()
{
    return "Usage: zettelino-print LETTER.ZLW LETTER-OUTPUT...\n"
           "       zettelino-print REPORT.QRP REPORT-OUTPUT...\n"
           "       zettelino-print --printers\n"
           "       zettelino-print --help | --version\n"
           "\n"
           "Reads a letter file (.ZLW) as the letter window opens it, or a saved\n"
           "report file (.QRP), and writes what is asked for, in order. Nothing else\n"
           "is written.\n"
           "\n"
           "Letter outputs:\n"
           "  --text FILE    the plain text the Editor command writes to _zlwmitt.txt\n"
           "  --zlw FILE     the letter file Save writes for the opened letter\n"
           "  --qrp FILE     the pages the preview shows, as its save writes them\n"
           "\n"
           "Report outputs:\n"
           "  --info         print \"pages: N\", \"packed: yes|no\" and one line per page:\n"
           "                 \"page K: W x H px, B bytes, R records\"\n"
           "\n"
           "Outputs of both (a letter's printed pages, or a saved report file's):\n"
           "  --png DIR      write each page as DIR/page-001.png, ... at 96 dpi,\n"
           "                 one pixel per device unit (DIR is created if missing)\n"
           "  --pdf FILE     a PDF: for a letter what \"Bericht speichern\" writes for a\n"
           "                 .PDF name in the letter's preview (the report run once more\n"
           "                 into the PDF filter); for a saved report file its recorded\n"
           "                 pages, each at its own paper size, text kept as text\n"
           "  --print [PRINTER]\n"
           "                 print on PRINTER (the default printer without a name): what\n"
           "                 \"Drucken\" prints for a letter, the recorded pages of a report\n"
           "\n"
           "Other commands:\n"
           "  --printers     list the installed printers, one a line; the default\n"
           "                 printer's line starts with \"* \", the others' with two blanks\n"
           "  -h, --help     print this help and exit\n"
           "  --version      print the version and exit\n"
           "\n"
           "Exit status: 0 done, 2 usage error, 3 the letter file is damaged (the\n"
           "window's message on standard error), 4 the system failed: a file could not\n"
           "be opened, read or written, or the printer failed (the system's message),\n"
           "5 the file is not a readable saved report file (it is damaged),\n"
           "6 no printer is installed or the named printer does not exist, 7 an\n"
           "internal error of the program.\n";
}

std::string batchVersion()
{
    return std::string("zettelino-print ") + ZT_VERSION + "\n";
}

std::optional<int> answerWithoutRunning(const BatchOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.help) {
        out << batchUsage();
        return kExitDone;
    }
    if (options.version) {
        out << batchVersion();
        return kExitDone;
    }
    if (options.errors.empty())
        return std::nullopt;
    for (const auto& error : options.errors)
        err << "zettelino-print: " << error << '\n';
    err << batchUsage();
    return kExitUsage;
}

} // namespace zt::cli
