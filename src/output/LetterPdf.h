#pragma once
// A letter's PDF through the report's PDF export, as the preview's save
// writes it for a .PDF name: the batch tool's --pdf and --mail, the window's
// mail command.

#include <string>

namespace zt::report {
class TBandoriaRep;
}

namespace zt::output {

// The report's first pass for the page total (stored in `pageTotal`, which
// the page line reads), then the export into the registered PDF filter.
void WriteLetterPdf(report::TBandoriaRep& report, int& pageTotal, const std::string& path);

} // namespace zt::output
