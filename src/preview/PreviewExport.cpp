#include "preview/PreviewExport.h"

#include "export/QRExportLibrary.h"
#include "pages/QRPrinter.h"

#include <algorithm>

namespace zt::preview {

using namespace zt::pages;

namespace {

std::string bareUpper(std::string e)
{
    if (!e.empty() && e.front() == '.')
        e.erase(0, 1);
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return e;
}

// The filters' own names are the engine's (English); the dialog speaks German.
std::string germanLabel(const std::string& extension)
{
    if (extension == "QRP")
        return "Bandoria-Datei";
    if (extension == "PDF")
        return "PDF-Dokument";
    if (extension == "TXT")
        return "Textdatei";
    return extension + "-Datei";
}

} // namespace

std::vector<TSaveType> SaveTypes(const std::string& defaultExtension, bool recordedPdf)
{
    std::vector<TSaveType> types;
    const auto add = [&](const std::string& extension) {
        const std::string e = bareUpper(extension);
        if (e.empty() || std::any_of(types.begin(), types.end(), [&](const TSaveType& t) { return t.extension == e; }))
            return;
        types.push_back({germanLabel(e), e});
    };
    add(defaultExtension);
    add("QRP");
    for (const auto& filter : exporting::QRExportFilterLibrary().Filters())
        add(filter->Extension());
    if (recordedPdf)
        add("PDF");
    return types;
}

std::string SaveDialogFilter(const std::vector<TSaveType>& types)
{
    std::string filter;
    for (const TSaveType& t : types)
        filter += (filter.empty() ? "" : "|") + t.label + " (*." + t.extension + ")|*." + t.extension;
    return filter;
}

bool HasExportFilter(const std::string& extension)
{
    return exporting::QRExportFilterLibrary().GetFilterByExtension(extension) != nullptr;
}

std::string ExportThroughLibrary(TQRPrinter& printer, const std::string& fileName, const std::string& extension)
{
    const exporting::TQRExportFilterLibraryEntry* entry = exporting::QRExportFilterLibrary().GetFilterByExtension(extension);
    if (entry == nullptr)
        return {};
    const std::unique_ptr<report::TQRExportFilter> filter = entry->ExportFilterClass()->Create(fileName);
    printer.ExportToFilter(filter.get());
    return filter->Notice();
}

} // namespace zt::preview
