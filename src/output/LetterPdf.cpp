#include "output/LetterPdf.h"

#include "export/QRExportLibrary.h"
#include "export/QRPDFFilter.h"
#include "platform/core/PlatformError.h"
#include "report/QRReport.h"

namespace zt::output {

std::unique_ptr<report::TQRExportFilter> CreateLetterPdfFilter(const std::string& path, TLetterPdfKind kind)
{
    const exporting::TQRExportFilterLibraryEntry* entry = exporting::QRExportFilterLibrary().GetFilterByExtension("PDF");
    if (entry == nullptr)
        throw platform::PlatformError(platform::ErrorKind::InternalFault, "Es ist kein PDF-Filter eingetragen");
    std::unique_ptr<report::TQRExportFilter> filter = entry->ExportFilterClass()->Create(path);
    // The letter's report asks for the archive document itself; the plain
    // one is the caller's choice.
    if (kind == TLetterPdfKind::Plain) {
        auto* pdf = dynamic_cast<exporting::TQRPDFDocumentFilter*>(filter.get());
        if (pdf == nullptr)
            throw platform::PlatformError(platform::ErrorKind::InternalFault,
                                          "Der eingetragene PDF-Filter kennt kein einfaches PDF");
        pdf->SetArchive(false);
    }
    return filter;
}

std::string WriteLetterPdf(report::TBandoriaRep& rep, int& pageTotal, const std::string& path, TLetterPdfKind kind)
{
    // The page line needs the total before the export run; the pages
    // themselves are not needed, so the first pass draws and keeps nothing.
    if (!rep.Available)
        throw platform::PlatformError(platform::ErrorKind::InternalFault, "Der Bericht der Kurzmitteilung läuft schon");
    pageTotal = rep.CountPages();
    std::unique_ptr<report::TQRExportFilter> filter = CreateLetterPdfFilter(path, kind);
    // What the preview's save runs: the report once more into the filter.
    rep.ExportToFilter(filter.get());
    return filter->Notice();
}

} // namespace zt::output
