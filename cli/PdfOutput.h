#pragma once
// The batch tool's PDF of a saved report file: its recorded pages played
// onto Qt's PDF writer with their text kept as text. (A letter's PDF is
// output/LetterPdf.h.)

#include "platform/gdi/Metafile.h"

#include <memory>
#include <string>
#include <vector>

namespace zt::cli {

// One PDF page per recorded page, each at its own paper size.
void writeReportPdf(const std::vector<std::unique_ptr<platform::gdi::TMetafile>>& pages, const std::string& path,
                    const std::string& title);

} // namespace zt::cli
