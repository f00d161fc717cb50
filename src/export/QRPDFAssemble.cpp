// Finish: the document assembled as lines with a running byte offset
// (catalog, outlines, page tree, pages with their content streams, fonts,
// information, ProcSet, cross-reference table, trailer) and written through
// the output code page.

#include "export/QRPDFDocument.h"
#include "export/QRPDFFilter.h"
#include "export/QRPDFFonts.h"
#include "platform/files/FileAccess.h"
#include "platform/files/TempFile.h"
#include "platform/streams/Stream.h"

#include "report/QRReport.h"

#include <cstdio>
#include <ctime>

namespace zt::report {

namespace {

std::string trimmed(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// Information values go inside string parentheses; unescaped, a backslash
// or a lone parenthesis in a title would break the document.
std::string infoValue(const std::string& utf8)
{
    return PdfEscapeText(utf8);
}

// The local date and time in the PDF's date syntax, with the offset from
// universal time ("D:20261209183946+01'00'"); readers show nothing for a
// date written any other way.
std::string creationDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[48];
    std::strftime(buf, sizeof buf, "D:%Y%m%d%H%M%S", &local);
    const long offset = local.tm_gmtoff / 60;
    if (offset == 0)
        return std::string(buf) + "Z";
    const long hours = (offset < 0 ? -offset : offset) / 60, minutes = (offset < 0 ? -offset : offset) % 60;
    char zone[48];
    std::snprintf(zone, sizeof zone, "%c%02ld'%02ld'", offset < 0 ? '-' : '+', hours, minutes);
    return std::string(buf) + zone;
}

// A field of the report's document information where it has one.
const std::string& infoField(const std::string& own, const std::string& report, bool ownGiven)
{
    return ownGiven || report.empty() ? own : report;
}

} // namespace

void TQRPDFDocumentFilter::Finish()
{
    if (FPDFConcatenating)
        return;
    ensurePage();
    closePage();
    writeDocument();
    TQRPAbstractExportFilter::Finish();
}

void TQRPDFDocumentFilter::assemble(const std::function<void(std::string_view)>& sink)
{
    FPDF.XRefBytes.clear();
    TPDFDocBuilder doc(sink, FPDF.XRefBytes);
    const int pageCount = static_cast<int>(FPDF.pages.size());
    const TPDFFontOptions options{FFontHandling, &FSubstitutedFonts, &FEmbedFonts, &FCustomWidths, &FCustomEncodings};
    std::vector<TPDFFontKey> keys;
    std::vector<TPDFFontPlan> plans;
    std::vector<int> firstObject;
    int next = 4 + 2 * pageCount;
    for (std::size_t i = 0; i < FReportFonts.size(); ++i) {
        keys.push_back(TPDFFontKey::Parse(FReportFonts[i]));
        plans.push_back(PlanPDFFont(keys.back(), options, i < FUsedCodes.size() ? &FUsedCodes[i] : nullptr));
        firstObject.push_back(next);
        next += plans.back().ObjectCount();
    }
    const int infoObject = next;
    const int procSetObject = next + 1;

    // An embedded OpenType font file came with PDF 1.6; without one the
    // document stays at 1.3, which every reader takes.
    bool openType = false;
    for (const TPDFFontPlan& plan : plans)
        openType |= !plan.embedded.empty() && plan.CffOutlines();
    doc.Add(openType ? "%PDF-1.6" : "%PDF-1.3");
    doc.Add(PdfCodePageText("%\u00C5\u00ADo\u0081"));

    doc.BeginObject();
    for (const char* line : {"1 0 obj", "<<", "/Type /Catalog", "/Pages 3 0 R", "/Outlines 2 0 R",
                             "/ViewerPreferences << /HideToolbar false /FitWindow true >>", ">>", "endobj"})
        doc.Add(line);
    doc.BeginObject();
    for (const char* line : {"2 0 obj", "<<", "/Type /Outlines", "/Count 0", ">>", "endobj"})
        doc.Add(line);

    doc.BeginObject();
    doc.Add("3 0 obj");
    doc.Add("<<");
    doc.Add("/Type /Pages");
    doc.Add("/Count " + std::to_string(pageCount));
    std::string kids = "/Kids [";
    for (int i = 0; i < pageCount; ++i)
        kids += std::to_string(4 + 2 * i) + " 0 R ";
    doc.Add(trimmed(kids) + "]");
    const TPDFPages& first = FPDF.pages.front();
    doc.Add("/MediaBox [0 0 " + PdfInt(first.PageWidth) + " " + PdfInt(first.PageHeight) + "]");
    doc.Add("/Resources << ");
    doc.Add("/Font << ");
    for (std::size_t i = 0; i < keys.size(); ++i)
        doc.Add("  /F" + PdfResourceNumber(static_cast<int>(i)) + " " + std::to_string(firstObject[i]) + " 0 R ");
    doc.Add("  >>");
    doc.Add("/ProcSet " + std::to_string(procSetObject) + " 0 R");
    doc.Add(">>");
    doc.Add(">>");
    doc.Add("endobj");

    for (int i = 0; i < pageCount; ++i) {
        const int n = 4 + 2 * i;
        const TPDFPages& page = FPDF.pages[static_cast<std::size_t>(i)];
        TPDFPageParts parts = takeParts(static_cast<std::size_t>(i));
        doc.BeginObject();
        doc.Add(std::to_string(n) + " 0 obj");
        doc.Add("<<");
        doc.Add("/Type /Page");
        doc.Add("/Parent 3 0 R");
        doc.Add("/Contents " + std::to_string(n + 1) + " 0 R");
        doc.Add("/MediaBox [0 0 " + PdfInt(page.PageWidth) + " " + PdfInt(page.PageHeight) + "]");
        doc.Add(">>");
        doc.Add("endobj");
        std::int64_t length = 4;
        if (!parts.text.empty())
            length += static_cast<std::int64_t>(parts.text.size()) + 2;
        if (!parts.graphics.empty())
            length += static_cast<std::int64_t>(parts.graphics.size()) + 2;
        doc.BeginObject();
        doc.Add(std::to_string(n + 1) + " 0 obj");
        doc.Add("<< /Length " + std::to_string(length) + " >>");
        doc.Add("stream");
        if (FTextFirst) {
            doc.Add("BT");
            doc.Add(parts.text);
            doc.Add(parts.graphics);
        } else {
            doc.Add(parts.graphics);
            doc.Add("BT");
            doc.Add(parts.text);
        }
        doc.Add("endstream");
        doc.Add("endobj");
    }

    for (std::size_t i = 0; i < keys.size(); ++i)
        WritePDFFont(keys[i], plans[i], static_cast<int>(i), firstObject[i], options, doc);

    doc.BeginObject();
    doc.Add(std::to_string(infoObject) + " 0 obj");
    doc.Add("<<");
    if (!SuppressDateTime())
        doc.Add("/CreationDate (" + PdfCodePageText(creationDate()) + ")");
    doc.Add("/Producer (Bandorias PDF Export)");
    static const TCustomBandoriaRep::TQRDocumentInfo none;
    const TCustomBandoriaRep::TQRDocumentInfo& reported = Owner() != nullptr ? Owner()->DocumentInfo : none;
    doc.Add("/Subject (" + infoValue(infoField(FDocSubject, reported.Subject, FDocInfoGiven)) + " )");
    doc.Add("/Creator (" + infoValue(infoField(FDocCreator, reported.Creator, FDocInfoGiven)) + ")");
    doc.Add("/Title (" + infoValue(infoField(FDocTitle, reported.Title, FDocInfoGiven)) + ")");
    doc.Add("/Author (" + infoValue(infoField(FDocAuthor, reported.Author, FDocInfoGiven)) + ")");
    for (const std::string& line : MetaData()) {
        const std::size_t comma = line.find(',');
        if (comma == std::string::npos || line.find(',', comma + 1) != std::string::npos)
            continue;
        const std::string key = trimmed(line.substr(0, comma));
        const std::string value = trimmed(line.substr(comma + 1));
        if (key.empty() || value.empty())
            continue;
        doc.Add("/" + PdfCodePageText(key) + "(" + infoValue(value) + ")");
    }
    doc.Add(">>");
    doc.Add("endobj");

    doc.BeginObject();
    doc.Add(std::to_string(procSetObject) + " 0 obj");
    doc.Add("[/PDF /Text]");
    doc.Add("endobj");

    const std::int64_t xrefOffset = doc.Offset();
    const int objects = doc.Objects();
    doc.Add("xref");
    doc.Add("0 " + std::to_string(objects + 1));
    doc.Add("0000000000 65535 f");
    const std::vector<std::string> offsets = FPDF.XRefBytes;
    for (const std::string& o : offsets)
        doc.Add(o + " 00000 n");
    doc.Add("trailer");
    doc.Add("<<");
    doc.Add("/Size " + std::to_string(objects + 1));
    doc.Add("/Root 1 0 R");
    doc.Add("/Info " + std::to_string(objects - 1) + " 0 R");
    doc.Add(">>");
    doc.Add("startxref");
    doc.Add(std::to_string(xrefOffset));
    doc.Add("%%EOF");
}

void TQRPDFDocumentFilter::writeDocument()
{
    // Written through a buffer: the builder hands over line by line.
    constexpr std::size_t kChunk = 1u << 20;
    std::string buffer;
    buffer.reserve(kChunk + 4096);
    const auto produce = [&](const platform::files::ByteSink& out) {
        assemble([&](std::string_view bytes) {
            buffer.append(bytes);
            if (buffer.size() >= kChunk) {
                out(buffer);
                buffer.clear();
            }
        });
        if (!buffer.empty())
            out(buffer);
    };
    if (FFilename.empty()) {
        if (!FMemoryStream)
            FMemoryStream = std::make_unique<platform::TMemoryStream>();
        produce([this](std::string_view bytes) { FMemoryStream->Write(bytes.data(), bytes.size()); });
    } else {
        platform::files::writeFileAtomically(FFilename, produce);
    }
    // The pages are written; a spilled document's file goes now.
    FPDF.spillFile.reset();
}

} // namespace zt::report
