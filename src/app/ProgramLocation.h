#pragma once
// Where the program keeps its settings and phrase files.

#include <string>

namespace zt::app {

// The folder of the program file, with a trailing separator.
std::string programFileFolder();

// The program file's folder when the program may write there, as on
// Windows; otherwise, and always for an installed program (one in a folder
// named bin, as `cmake --install` and the package put it), the per-user
// folder $XDG_CONFIG_HOME/zettelino/ (default ~/.config/zettelino/),
// created here, so settings persist for installed users too.
std::string chooseProgramDir(const std::string& programFolder);

} // namespace zt::app
