#pragma once
// A PDF of recorded pages: each page played onto Qt's PDF writer with its
// text kept as text. The batch tool writes a saved report file's PDF with
// it, and the preview a loaded report's, which has no report to run again.
// (A letter's PDF is cli/LetterPdf.h; a live report's runs through the
// engine's PDF filter.)

#include "platform/gdi/Metafile.h"

#include <memory>
#include <string>
#include <vector>

namespace zt::pages {
class TQRPrinter;
}

namespace zt::preview {

using namespace zt::pages;

// One PDF page per recorded page, each at its own paper size. Throws a
// PlatformError (SystemFailure) when the file cannot be written.
void WriteRecordedPdf(const std::vector<std::unique_ptr<platform::gdi::TMetafile>>& pages, const std::string& path,
                      const std::string& title);

// Every page a recorder holds, read up front; a page that cannot be read
// throws (DamagedInput), so nothing is written from half a report.
std::vector<std::unique_ptr<platform::gdi::TMetafile>> RecordedPages(TQRPrinter& printer);

} // namespace zt::preview
