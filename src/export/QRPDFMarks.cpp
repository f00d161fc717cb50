// Marked content of an archive document: every text item is in a sequence
// of the structure element it belongs to or an artifact; consecutive items
// of one element share a sequence. The graphics part is all artifact:
// lines, boxes, marks and backgrounds are the page's furniture.

#include "export/QRPDFFilter.h"

namespace zt::exporting {

using namespace zt::report;

namespace {

void append(std::string& part, std::string_view line)
{
    if (!part.empty())
        part += "\r\n";
    part += line;
}

bool blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

std::string artifactStart(TQRArtifactKind kind)
{
    switch (kind) {
    case TQRArtifactKind::akPageHeader: return "/Artifact << /Type /Pagination /Subtype /Header >> BDC";
    case TQRArtifactKind::akPageFooter: return "/Artifact << /Type /Pagination /Subtype /Footer >> BDC";
    case TQRArtifactKind::akLayout: break;
    }
    return "/Artifact BMC";
}

} // namespace

void TQRPDFDocumentFilter::BeginStructure(const TQRStructureMark& mark)
{
    // Kept in every mode: a composite run's first part begins before the
    // filter starts and knows whether it writes an archive document.
    FTags->Begin(mark);
}

void TQRPDFDocumentFilter::EndStructure()
{
    FTags->End();
}

bool TQRPDFDocumentFilter::markText(const TPDFItemRec& item)
{
    if (blank(item.FText)) {
        FTags->BlankLine();
        return false;
    }
    const TPDFTagTarget target = FTags->Target();
    if (FMarkOpen && target == FMarked)
        return true;
    std::string& text = FPDF.parts.back().text;
    if (FMarkOpen)
        append(text, "EMC");
    if (target.artifact) {
        append(text, artifactStart(target.kind));
    } else {
        const int mcid = FTags->Mark(FPDF.parts.size() - 1, target.element);
        // Appended piece by piece: GCC 12 misreads "/" + std::string as overlapping at -O3.
        std::string mark = "/";
        mark += PdfStructTypeName(FTags->TypeOf(target.element));
        mark += " << /MCID ";
        mark += std::to_string(mcid);
        mark += " >> BDC";
        append(text, mark);
    }
    FMarkOpen = true;
    FMarked = target;
    return true;
}

void TQRPDFDocumentFilter::markGraphics()
{
    std::string& graphics = FPDF.parts.back().graphics;
    if (graphics.empty())
        graphics = "/Artifact BMC";
}

void TQRPDFDocumentFilter::closeMarks()
{
    if (!FArchive || FPDF.parts.empty())
        return;
    TPDFPageParts& parts = FPDF.parts.back();
    if (FMarkOpen)
        append(parts.text, "EMC");
    FMarkOpen = false;
    if (!parts.graphics.empty())
        append(parts.graphics, "EMC");
}

} // namespace zt::exporting
