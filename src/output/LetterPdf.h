#pragma once
// A letter's PDF through the report's PDF export, as the preview's save
// writes it for a .PDF name: the batch tool's --pdf, --pdf-plain and --mail,
// the window's mail command. The letter's PDF is an archive document
// (PDF/A-2u, tagged as PDF/UA-1) unless the plain one is asked for.

#include <memory>
#include <string>

namespace zt::report {
class TBandoriaRep;
class TQRExportFilter;
}

namespace zt::output {

enum class TLetterPdfKind { Archive, Plain };

// The registered PDF filter for `path`; the plain kind switches off the
// archive document the letter's report asks for.
std::unique_ptr<report::TQRExportFilter> CreateLetterPdfFilter(const std::string& path, TLetterPdfKind kind);

// The report's first pass for the page total (stored in `pageTotal`, which
// the page line reads), then the export into the registered PDF filter.
// Returns what the user must be told about the PDF written (an archive PDF
// that could not be one, and why), empty when it is as asked.
std::string WriteLetterPdf(report::TBandoriaRep& report, int& pageTotal, const std::string& path,
                           TLetterPdfKind kind = TLetterPdfKind::Archive);

} // namespace zt::output
