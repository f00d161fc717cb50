#pragma once
// The batch tool's exit status for a failure, from the kind of the error:
// damaged input is the input's own status (3 for a letter, 5 for a saved
// report file), a failure of the system 4, a missing printer 6 and a fault
// of the program 7.

#include <exception>
#include <iosfwd>
#include <string>

namespace zt::cli {

enum class InputFile { Letter, SavedReport };

int exitStatusFor(const std::exception& e, InputFile input);

// What an output that was written came out as other than asked (an archive
// PDF without its claim): a warning on the error output, nothing when
// empty. The output is there, so the run still succeeds.
void warnOf(std::ostream& err, const std::string& notice);

} // namespace zt::cli
