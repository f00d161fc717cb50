#include "output/LetterPdf.h"

#include "export/QRExportLibrary.h"
#include "platform/core/PlatformError.h"
#include "report/QRReport.h"

namespace zt::output {

void WriteLetterPdf(report::TBandoriaRep& rep, int& pageTotal, const std::string& path)
{
    const report::TQRExportFilterLibraryEntry* entry = report::QRExportFilterLibrary().GetFilterByExtension("PDF");
    if (entry == nullptr)
        throw platform::PlatformError(platform::ErrorKind::InternalFault, "Es ist kein PDF-Filter eingetragen");
    // The page line needs the total before the export run; the pages
    // themselves are not needed, so the first pass draws and keeps nothing.
    if (!rep.Available)
        throw platform::PlatformError(platform::ErrorKind::InternalFault, "Der Bericht der Kurzmitteilung läuft schon");
    pageTotal = rep.CountPages();
    const std::unique_ptr<report::TQRExportFilter> filter = entry->ExportFilterClass()->Create(path);
    // What the preview's save runs: the report once more into the filter.
    rep.ExportToFilter(filter.get());
}

} // namespace zt::output
