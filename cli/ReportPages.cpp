#include "cli/ReportPages.h"

#include "pages/QRPreviewInterface.h"
#include "pages/QRPrinter.h"
#include "report/QRReport.h"

namespace zt::cli {

void recordPreview(report::TBandoriaRep& rep, int& pageTotal)
{
    pages::SetPreviewInterfaceClass([] { return std::make_unique<pages::TQRPreviewInterface>(); });
    // The total first, for the page line; only the preview's run keeps pages.
    pageTotal = rep.CountPages();
    rep.Preview();
}

std::vector<std::unique_ptr<platform::gdi::TMetafile>> previewPages(report::TBandoriaRep& rep, int& pageTotal)
{
    recordPreview(rep, pageTotal);
    std::vector<std::unique_ptr<platform::gdi::TMetafile>> pages;
    for (int i = 1; rep.QRPrinter != nullptr && i <= rep.QRPrinter->PageCount(); ++i)
        pages.push_back(rep.QRPrinter->GetPage(i));
    return pages;
}

} // namespace zt::cli
