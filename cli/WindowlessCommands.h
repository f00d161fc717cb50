#pragma once
// The batch tool's letter commands without a window: plain text, the letter
// file, the saved report file and the PDF come from the letter as the
// window would hold it (output/WindowlessLetter.h), byte for byte what the
// window's own commands write, without the toolkit's start-up.

#include "cli/BatchOptions.h"

#include <iosfwd>
#include <optional>

namespace zt::cli {

// Every output asked for can be written without a window.
bool needsNoWindow(const BatchOptions& options);

// Needs no QApplication. The exit status, or nullopt when the letter holds
// text only the real window takes over exactly: then nothing was written and
// the window's commands (runLetterCommands) must run instead.
std::optional<int> runLetterWithoutWindow(const BatchOptions& options, std::ostream& out, std::ostream& err);

} // namespace zt::cli
