#pragma once
// The pages the letter's preview shows, recorded without opening a window.

#include "platform/gdi/Metafile.h"

#include <memory>
#include <vector>

namespace zt::report {
class TBandoriaRep;
}

namespace zt::cli {

// The report's first pass for the page total (stored in `pageTotal`, which
// the page line reads), then the preview's own run into a preview that
// opens no window.
// The pages stay in the report's recorder.
void recordPreview(report::TBandoriaRep& report, int& pageTotal);

// recordPreview, then every recorded page taken out of the recorder.
std::vector<std::unique_ptr<platform::gdi::TMetafile>> previewPages(report::TBandoriaRep& report, int& pageTotal);

} // namespace zt::cli
