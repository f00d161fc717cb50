#include "pages/preview/PreviewExport.h"

#include "export/QRExportLibrary.h"
#include "pages/QRPrinter.h"

namespace zt::pages {

std::string ExportFilterEntries()
{
    // The library's list starts with the saved report file, which the save
    // dialog already offers in its place after the default type.
    const std::string all = report::QRExportFilterLibrary().SaveDialogFilterString();
    const std::string first = "Bandoria-Datei(*.QRP)|*.QRP";
    return all.starts_with(first) ? all.substr(first.size()) : std::string();
}

std::string ExportFilterExtension(int index, const std::string& fallback)
{
    const auto& filters = report::QRExportFilterLibrary().Filters();
    if (index < 0 || index >= static_cast<int>(filters.size()))
        return fallback;
    return filters[static_cast<std::size_t>(index)]->Extension();
}

void ExportThroughLibrary(TQRPrinter& printer, const std::string& fileName, const std::string& extension)
{
    const report::TQRExportFilterLibraryEntry* entry = report::QRExportFilterLibrary().GetFilterByExtension(extension);
    if (entry == nullptr)
        return;
    const std::unique_ptr<report::TQRExportFilter> filter = entry->ExportFilterClass()->Create(fileName);
    printer.ExportToFilter(filter.get());
}

} // namespace zt::pages
