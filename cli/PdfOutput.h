#pragma once
// The batch tool's PDF outputs: a letter through the report's PDF export, as
// the preview's save writes it for a .PDF name, and a saved report file's
// recorded pages played onto Qt's PDF writer with their text kept as text.

#include "platform/gdi/Metafile.h"

#include <memory>
#include <string>
#include <vector>

namespace zt::report {
class TBandoriaRep;
}

namespace zt::cli {

// Prepare for the page total, then the export into the registered PDF filter.
void writeLetterPdf(report::TBandoriaRep& report, int& pageTotal, const std::string& path);

// One PDF page per recorded page, each at its own paper size.
void writeReportPdf(const std::vector<std::unique_ptr<platform::gdi::TMetafile>>& pages, const std::string& path,
                    const std::string& title);

} // namespace zt::cli
