#pragma once
// The batch tool's mail merge: the letter filled for every recipient of an
// address list, run as one composite report (one PDF, one print job, one
// saved report file) or one PDF a recipient.

#include "cli/BatchOptions.h"
#include "output/WindowlessLetter.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace zt::report {
class TBandoriaRep;
}

namespace zt::cli {

// Prints the merged letters in one job on `printer` (empty: the default);
// only the half with the toolkit can.
using MergePrinter = std::function<void(report::TBandoriaRep& report, const std::string& printer)>;

// Runs the outputs of `options` for the template `letter` (what the window
// shows for the letter file) and the list `options.mergeList`. The list
// and every recipient's letter are checked before anything is written.
int runMerge(const output::TWindowlessLetter& letter, const BatchOptions& options, std::ostream& err,
             const MergePrinter& print = {});

} // namespace zt::cli
