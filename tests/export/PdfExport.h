#pragma once
// Runs a report into the PDF filter, writes the file to a scratch folder and
// checks it with qpdf before a test reads it back.

#include "export/QRPDFFilter.h"
#include "report/QRReport.h"
#include "support/PdfFile.h"
#include "support/ScratchFolder.h"

#include <functional>
#include <string>

namespace zt::testing {

inline PdfFile exportPdf(report::TCustomBandoriaRep& rep, const std::string& path,
                         const std::function<void(exporting::TQRPDFDocumentFilter&)>& configure = {})
{
    exporting::TQRPDFDocumentFilter filter(path);
    if (configure)
        configure(filter);
    rep.ExportToFilter(&filter);
    EXPECT_EQ(qpdfProblems(path), "");
    return PdfFile(readBytes(path));
}

} // namespace zt::testing
