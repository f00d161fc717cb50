#pragma once
// The batch tool's printer commands, on the process's printer driver.

#include <iosfwd>
#include <stdexcept>
#include <string>

namespace zt::cli {

// No printer is installed, or none has the name asked for.
class NoPrinterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One line per printer, "* NAME" for the default printer and "  NAME" for
// the others. NoPrinterError when there is none.
void listPrinters(std::ostream& out);

// The index of the printer named `printer` in the printer list, -1 for the
// default printer when the name is empty. NoPrinterError when no printer is
// installed or none has the name.
int printerIndexFor(const std::string& printer);

// Plays the pages of a saved report file to `printer` (the default printer
// when empty), each sheet at its own size from the paper's corner.
void printSavedReport(const std::string& path, const std::string& printer);

} // namespace zt::cli
