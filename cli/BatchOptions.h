#pragma once
// Command line of the batch tool, parsed apart from running it so the rules
// can be tested without a window.

#include "cli/BatchOutputs.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace zt::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 2;
// The letter file is damaged: the window's Open refused it.
inline constexpr int kExitNotOpened = 3;
// The system failed: a file could not be opened, read or written, or the
// printer failed.
inline constexpr int kExitNotWritten = 4;
// The saved report file is damaged.
inline constexpr int kExitBadReport = 5;
inline constexpr int kExitNoPrinter = 6;
// A fault of the program.
inline constexpr int kExitInternal = 7;
// A mail merge's address list cannot be read or does not fit the letter
// (a placeholder names no column, an address needs more than five lines).
inline constexpr int kExitBadMerge = 8;

// One thing to produce from the input, in command-line order.
struct BatchOutput {
    using Kind = TBatchOutputKind;
    Kind kind;
    // The folder for Png and PdfEach; the printer for Print (empty: the
    // default); the file for Text, Zlw, Qrp and Pdf; empty for Info.
    std::string path;
    // Text, Zlw and Qrp need a letter file, Info a saved report file; Png,
    // Pdf and Print take either.
    bool lettersOnly() const { return BatchOutputInfo(kind).input == TOutputInput::Letter; }
    bool reportsOnly() const { return BatchOutputInfo(kind).input == TOutputInput::Report; }
    bool operator==(const BatchOutput&) const = default;
};

struct BatchOptions {
    bool help = false;
    bool version = false;
    bool listPrinters = false;        // --printers: needs no input
    std::string input;                // the letter or saved report file
    std::string mergeList;            // --merge: the address list of a mail merge
    std::vector<BatchOutput> outputs;
    std::vector<std::string> errors;  // usage errors, in the order found

    // The input is a letter file: an output needs one, or, for outputs that
    // take either, the file is named or begins like a letter file.
    bool letterInput() const;
};

BatchOptions parseBatchOptions(const std::vector<std::string>& args);

std::string batchUsage();

// --help, --version and usage errors, answered on `out` or `err`: the exit
// status, or nullopt when there is work to do.
std::optional<int> answerWithoutRunning(const BatchOptions& options, std::ostream& out, std::ostream& err);
// "zettelino-print 1.8.7": the build's project version.
std::string batchVersion();

} // namespace zt::cli
