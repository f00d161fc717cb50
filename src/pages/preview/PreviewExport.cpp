#include "pages/preview/PreviewExport.h"

namespace zt::pages {

// No export filter is registered yet: the dialog offers the saved report
// file alone and other extensions write nothing.
std::string ExportFilterEntries()
{
    return {};
}

std::string ExportFilterExtension(int, const std::string& fallback)
{
    return fallback;
}

void ExportThroughLibrary(TQRPrinter&, const std::string&, const std::string&) {}

} // namespace zt::pages
