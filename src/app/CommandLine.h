#pragma once
// The program's command line: one file to open, as a file manager or the
// desktop entry's %f passes it, or --help / --version.

#include <string>
#include <vector>

namespace zt::app {

inline constexpr int kExitUsage = 2;

struct CommandLine {
    bool help = false;
    bool version = false;
    std::string file;                 // empty: start with a new letter
    std::vector<std::string> errors;  // usage errors, in the order found
};

// `args` without the program name and without the toolkit's own options.
// "--" ends the options, so a file whose name starts with "-" can be given.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// Whether --help or --version is among the raw arguments: these are answered
// before the toolkit starts, so they work without a display.
bool asksForHelpOrVersion(int argc, char** argv);

std::string programUsage();
// "zettelino 1.8.7": the build's project version.
std::string programVersion(const std::string& program);

} // namespace zt::app
