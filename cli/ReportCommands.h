#pragma once
// The batch tool's commands on saved report files.

#include "cli/BatchOptions.h"

#include <iosfwd>

namespace zt::cli {

// Lists the printers when asked, loads options.input as a saved report file
// and produces each output. Returns the exit status; messages go to `err`,
// --info and --printers to `out`.
int runReportCommands(const BatchOptions& options, std::ostream& out, std::ostream& err);

} // namespace zt::cli
