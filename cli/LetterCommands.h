#pragma once
// The batch tool's letter commands: the real letter window, created hidden,
// opens the letter through its own Open command and writes what its own
// commands write.

#include "cli/BatchOptions.h"

#include <iosfwd>

namespace zt::cli {

// Needs a QApplication. Returns the exit status.
int runLetterCommands(const BatchOptions& options, std::ostream& out, std::ostream& err);

} // namespace zt::cli
