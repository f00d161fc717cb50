#include "output/LetterPdf.h"

#include "export/QRExportLibrary.h"
#include "pages/QRPrinter.h"
#include "platform/core/PlatformError.h"
#include "report/QRReport.h"

namespace zt::output {

void WriteLetterPdf(report::TBandoriaRep& rep, int& pageTotal, const std::string& path)
{
    const report::TQRExportFilterLibraryEntry* entry = report::QRExportFilterLibrary().GetFilterByExtension("PDF");
    if (entry == nullptr)
        throw platform::PlatformError(platform::ErrorKind::InternalFault, "Es ist kein PDF-Filter eingetragen");
    rep.Prepare();
    if (rep.QRPrinter == nullptr)
        throw platform::PlatformError(platform::ErrorKind::InternalFault, "Der Bericht der Kurzmitteilung ist nicht gelaufen");
    pageTotal = rep.QRPrinter->PageCount();
    const std::unique_ptr<report::TQRExportFilter> filter = entry->ExportFilterClass()->Create(path);
    // The way the preview's save goes: through the recorder to the report.
    rep.QRPrinter->ExportToFilter(filter.get());
}

} // namespace zt::output
