// Finish: the document assembled from its objects (catalog, outlines, page
// tree, pages with their content streams, fonts, information, ProcSet) by
// the object table, which numbers them and writes the cross-reference table
// and trailer, and written through the output code page.

#include "export/QRPDFDocument.h"
#include "export/QRPDFFilter.h"
#include "export/QRPDFFonts.h"
#include "export/QRPDFObjects.h"
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

namespace {

// The numbers of the document's objects, reserved before any is written so
// that each may name the others: the catalog, the outlines, the page tree,
// each page with its content stream, the fonts, the information and the
// ProcSet array, in the order they are written.
struct TPDFPageObjects {
    int page = 0, contents = 0;
};

struct TPDFDocumentObjects {
    int catalog = 0, outlines = 0, pageTree = 0;
    std::vector<TPDFPageObjects> pages;
    std::vector<TPDFFontObjects> fonts;
    int info = 0, procSet = 0;
};

TPDFDocumentObjects reserveObjects(TPDFObjectTable& table, std::size_t pageCount,
                                   const std::vector<TPDFFontPlan>& plans)
{
    TPDFDocumentObjects o;
    o.catalog = table.Reserve();
    o.outlines = table.Reserve();
    o.pageTree = table.Reserve();
    o.pages.resize(pageCount);
    for (TPDFPageObjects& page : o.pages) {
        page.page = table.Reserve();
        page.contents = table.Reserve();
    }
    for (const TPDFFontPlan& plan : plans)
        o.fonts.push_back(ReservePDFFont(plan, table));
    o.info = table.Reserve();
    o.procSet = table.Reserve();
    return o;
}

std::string mediaBox(const TPDFPages& page)
{
    return "/MediaBox [0 0 " + PdfInt(page.PageWidth) + " " + PdfInt(page.PageHeight) + "]";
}

void writePageTree(TPDFObjectTable& table, const TPDFDocumentObjects& o, const TPDFPages& first)
{
    table.Begin(o.pageTree);
    table.Add("<<");
    table.Add("/Type /Pages");
    table.Add("/Count " + std::to_string(o.pages.size()));
    std::string kids = "/Kids [";
    for (const TPDFPageObjects& page : o.pages)
        kids += TPDFObjectTable::Ref(page.page) + " ";
    table.Add(trimmed(kids) + "]");
    table.Add(mediaBox(first));
    table.Add("/Resources << ");
    table.Add("/Font << ");
    for (std::size_t i = 0; i < o.fonts.size(); ++i)
        table.Add("  /F" + PdfResourceNumber(static_cast<int>(i)) + " " + TPDFObjectTable::Ref(o.fonts[i].font) + " ");
    table.Add("  >>");
    table.Add("/ProcSet " + TPDFObjectTable::Ref(o.procSet));
    table.Add(">>");
    table.Add(">>");
    table.End();
}

// A page and its content: the text between BT and ET over or under the graphics.
void writePage(TPDFObjectTable& table, const TPDFDocumentObjects& o, const TPDFPageObjects& objects,
               const TPDFPages& page, const TPDFPageParts& parts, bool textFirst)
{
    table.Object(objects.page, {"<<", "/Type /Page", "/Parent " + TPDFObjectTable::Ref(o.pageTree),
                                "/Contents " + TPDFObjectTable::Ref(objects.contents), mediaBox(page), ">>"});
    const std::string_view bt = "BT", text = parts.text, graphics = parts.graphics;
    const std::string_view content[] = {textFirst ? bt : graphics, textFirst ? text : bt, textFirst ? graphics : text};
    table.LinesStream(objects.contents, content);
}

} // namespace

void TQRPDFDocumentFilter::assemble(const std::function<void(std::string_view)>& sink)
{
    TPDFObjectTable table(sink);
    const TPDFFontOptions options{FFontHandling, &FSubstitutedFonts, &FEmbedFonts, &FCustomWidths, &FCustomEncodings,
                                  FArchive};
    std::vector<TPDFFontKey> keys;
    std::vector<TPDFFontPlan> plans;
    for (std::size_t i = 0; i < FReportFonts.size(); ++i) {
        keys.push_back(TPDFFontKey::Parse(FReportFonts[i]));
        plans.push_back(PlanPDFFont(keys.back(), options, i < FUsedCodes.size() ? &FUsedCodes[i] : nullptr,
                                    i < FArchiveFonts.size() ? FArchiveFonts[i].get() : nullptr));
    }
    const TPDFDocumentObjects o = reserveObjects(table, FPDF.pages.size(), plans);

    // An embedded OpenType font file came with PDF 1.6; without one the
    // document stays at 1.3, which every reader takes.
    bool openType = false;
    for (const TPDFFontPlan& plan : plans)
        openType |= !plan.embedded.empty() && plan.CffOutlines();
    table.Add(openType ? "%PDF-1.6" : "%PDF-1.3");
    table.Add(PdfCodePageText("%\u00C5\u00ADo\u0081"));

    table.Object(o.catalog, {"<<", "/Type /Catalog", "/Pages " + TPDFObjectTable::Ref(o.pageTree),
                             "/Outlines " + TPDFObjectTable::Ref(o.outlines),
                             "/ViewerPreferences << /HideToolbar false /FitWindow true >>", ">>"});
    table.Object(o.outlines, {"<<", "/Type /Outlines", "/Count 0", ">>"});
    writePageTree(table, o, FPDF.pages.front());
    // One page's content in memory at a time: a spilled page comes back
    // from its file only to be written.
    for (std::size_t i = 0; i < o.pages.size(); ++i)
        writePage(table, o, o.pages[i], FPDF.pages[i], takeParts(i), FTextFirst);
    for (std::size_t i = 0; i < keys.size(); ++i)
        WritePDFFont(keys[i], plans[i], static_cast<int>(i), o.fonts[i], options, table);

    table.Begin(o.info);
    table.Add("<<");
    if (!SuppressDateTime())
        table.Add("/CreationDate (" + PdfCodePageText(creationDate()) + ")");
    table.Add("/Producer (Bandorias PDF Export)");
    static const TCustomBandoriaRep::TQRDocumentInfo none;
    const TCustomBandoriaRep::TQRDocumentInfo& reported = Owner() != nullptr ? Owner()->DocumentInfo : none;
    table.Add("/Subject (" + infoValue(infoField(FDocSubject, reported.Subject, FDocInfoGiven)) + " )");
    table.Add("/Creator (" + infoValue(infoField(FDocCreator, reported.Creator, FDocInfoGiven)) + ")");
    table.Add("/Title (" + infoValue(infoField(FDocTitle, reported.Title, FDocInfoGiven)) + ")");
    table.Add("/Author (" + infoValue(infoField(FDocAuthor, reported.Author, FDocInfoGiven)) + ")");
    for (const std::string& line : MetaData()) {
        const std::size_t comma = line.find(',');
        if (comma == std::string::npos || line.find(',', comma + 1) != std::string::npos)
            continue;
        const std::string key = trimmed(line.substr(0, comma));
        const std::string value = trimmed(line.substr(comma + 1));
        if (key.empty() || value.empty())
            continue;
        table.Add("/" + PdfCodePageText(key) + "(" + infoValue(value) + ")");
    }
    table.Add(">>");
    table.End();
    table.Object(o.procSet, {"[/PDF /Text]"});

    TPDFTrailer trailer;
    trailer.root = o.catalog;
    trailer.info = o.info;
    table.Finish(trailer);
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
