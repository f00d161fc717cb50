#pragma once
// The batch tool's PDF of a letter: through the report's PDF export, as the
// preview's save writes it for a .PDF name.

#include <string>

namespace zt::report {
class TBandoriaRep;
}

namespace zt::cli {

// Prepare for the page total (stored in `pageTotal`, which the page line
// reads), then the export into the registered PDF filter.
void writeLetterPdf(report::TBandoriaRep& report, int& pageTotal, const std::string& path);

} // namespace zt::cli
