// Finish: the document assembled from its objects (catalog, outlines, page
// tree, pages with their content streams, fonts, information, ProcSet) by
// the object table, which numbers them and writes the cross-reference table
// and trailer, and written through the output code page.

#include "export/QRPDFArchive.h"
#include "export/QRPDFDocument.h"
#include "export/QRPDFFilter.h"
#include "export/QRPDFFonts.h"
#include "export/QRPDFObjects.h"
#include "platform/files/FileAccess.h"
#include "platform/files/TempFile.h"
#include "platform/streams/Stream.h"

#include "platform/text/Trim.h"
#include "report/QRReport.h"

#include <ctime>

namespace zt::exporting {

using namespace zt::report;

namespace {

// The bytes written at a time: few pages to touch, few calls.
constexpr std::size_t kPDFWriteBlock = 1u << 16;

std::string trimmed(const std::string& s)
{
    return std::string(platform::text::trimmed(s));
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

// A page and its content: the text between BT and ET over or under the
// graphics. `structParents`: the page's key in the parent tree, -1 for none.
void writePage(TPDFObjectTable& table, const TPDFDocumentObjects& o, const TPDFPageObjects& objects,
               const TPDFPages& page, const TPDFPageParts& parts, bool textFirst, int structParents)
{
    const std::string tagged = structParents < 0 ? std::string() : "/StructParents " + std::to_string(structParents);
    table.Object(objects.page, {"<<", "/Type /Page", "/Parent " + TPDFObjectTable::Ref(o.pageTree),
                                "/Contents " + TPDFObjectTable::Ref(objects.contents), mediaBox(page), tagged, ">>"});
    const std::string_view bt = "BT", text = parts.text, graphics = parts.graphics;
    const std::string_view content[] = {textFirst ? bt : graphics, textFirst ? text : bt, textFirst ? graphics : text};
    table.LinesStream(objects.contents, content);
}

// The objects only an archive document has.
struct TPDFArchiveObjects {
    TPDFTags::Objects tags;
    int metadata = 0, profile = 0, profileLength = 0;
};

} // namespace

void TQRPDFDocumentFilter::assemble(const std::function<void(std::string_view)>& sink)
{
    // The table hands over every line and line end on its own: they go on
    // in blocks, and an archive document's identifier is taken from them.
    TPDFFingerprint fingerprint;
    std::string pending;
    pending.reserve(kPDFWriteBlock + 4096);
    const auto flush = [&] {
        if (FArchive)
            fingerprint.Add(pending);
        sink(pending);
        pending.clear();
    };
    TPDFObjectTable table([&](std::string_view bytes) {
        pending.append(bytes);
        if (pending.size() >= kPDFWriteBlock)
            flush();
    });
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
    TPDFArchiveObjects a;
    if (FArchive) {
        a.tags = FTags->Reserve(table);
        a.metadata = table.Reserve();
        a.profile = table.Reserve();
        a.profileLength = table.Reserve();
    }

    // The document information, in the metadata of an archive document too.
    static const TCustomBandoriaRep::TQRDocumentInfo none;
    const TCustomBandoriaRep::TQRDocumentInfo& reported = Owner() != nullptr ? Owner()->DocumentInfo : none;
    TPDFDocumentInfo info;
    info.title = infoField(FDocTitle, reported.Title, FDocInfoGiven);
    info.author = infoField(FDocAuthor, reported.Author, FDocInfoGiven);
    info.subject = infoField(FDocSubject, reported.Subject, FDocInfoGiven);
    info.creator = infoField(FDocCreator, reported.Creator, FDocInfoGiven);
    info.producer = "Bandorias PDF Export";
    if (!SuppressDateTime())
        info.created = PdfDates(std::time(nullptr));
    std::vector<std::pair<std::string, std::string>> extra;
    for (const std::string& line : MetaData()) {
        const std::size_t comma = line.find(',');
        if (comma == std::string::npos || line.find(',', comma + 1) != std::string::npos)
            continue;
        std::string key = trimmed(line.substr(0, comma)), value = trimmed(line.substr(comma + 1));
        if (key.empty() || value.empty())
            continue;
        if (key == "Keywords")
            info.keywords = value;
        extra.emplace_back(std::move(key), std::move(value));
    }
    // An archive document whose fonts do not all go in is written without
    // the claim, and the caller hears why.
    FNotice.clear();
    if (FArchive) {
        const std::string missing = PDFFontsNotEmbedded(plans);
        if (!missing.empty()) {
            info.claims = false;
            FNotice = "Das PDF ist kein Archiv-PDF (PDF/A-2u, PDF/UA-1): " + missing;
        }
    }

    // An embedded OpenType font file came with PDF 1.6; without one the
    // document stays at 1.3, which every reader takes. An archive document
    // is PDF 1.7, whose marker line has four bytes above 127.
    bool openType = false;
    for (const TPDFFontPlan& plan : plans)
        openType |= !plan.embedded.empty() && plan.CffOutlines();
    if (FArchive) {
        table.Add("%PDF-1.7");
        table.Add("%\xE2\xE3\xCF\xD3");
    } else {
        table.Add(openType ? "%PDF-1.6" : "%PDF-1.3");
        table.Add(PdfCodePageText("%\u00C5\u00ADo\u0081"));
    }

    if (FArchive) {
        table.Object(o.catalog,
                     {"<<", "/Type /Catalog", "/Pages " + TPDFObjectTable::Ref(o.pageTree),
                      "/Outlines " + TPDFObjectTable::Ref(o.outlines),
                      "/ViewerPreferences << /HideToolbar false /FitWindow true /DisplayDocTitle true >>",
                      "/Lang (de-DE)", "/MarkInfo << /Marked true >>",
                      "/StructTreeRoot " + TPDFObjectTable::Ref(a.tags.root),
                      "/Metadata " + TPDFObjectTable::Ref(a.metadata),
                      "/OutputIntents [<< /Type /OutputIntent /S /GTS_PDFA1 /OutputConditionIdentifier (sRGB) "
                      "/RegistryName (http://www.color.org) /Info (sRGB IEC61966-2.1) /DestOutputProfile " +
                          TPDFObjectTable::Ref(a.profile) + " >>]",
                      ">>"});
    } else {
        table.Object(o.catalog, {"<<", "/Type /Catalog", "/Pages " + TPDFObjectTable::Ref(o.pageTree),
                                 "/Outlines " + TPDFObjectTable::Ref(o.outlines),
                                 "/ViewerPreferences << /HideToolbar false /FitWindow true >>", ">>"});
    }
    table.Object(o.outlines, {"<<", "/Type /Outlines", "/Count 0", ">>"});
    writePageTree(table, o, FPDF.pages.front());
    // One page's content in memory at a time: a spilled page comes back
    // from its file only to be written.
    for (std::size_t i = 0; i < o.pages.size(); ++i)
        writePage(table, o, o.pages[i], FPDF.pages[i], takeParts(i), FTextFirst, FArchive ? static_cast<int>(i) : -1);
    for (std::size_t i = 0; i < keys.size(); ++i)
        WritePDFFont(keys[i], plans[i], static_cast<int>(i), o.fonts[i], options, table);

    table.Begin(o.info);
    table.Add("<<");
    if (!info.created.pdf.empty())
        table.Add("/CreationDate (" + info.created.pdf + ")");
    if (FArchive && !info.created.pdf.empty())
        table.Add("/ModDate (" + info.created.pdf + ")");
    table.Add("/Producer " + PdfTextString(info.producer));
    // The blank after the subject is the plain document's own; the metadata
    // of an archive document must repeat the subject as it is.
    table.Add("/Subject " + PdfTextString(FArchive ? info.subject : info.subject + " "));
    table.Add("/Creator " + PdfTextString(info.creator));
    table.Add("/Title " + PdfTextString(info.title));
    table.Add("/Author " + PdfTextString(info.author));
    for (const auto& [key, value] : extra) {
        // Appended piece by piece: GCC 12 misreads "/" + std::string as overlapping at -O3.
        std::string entry = "/";
        entry += PdfCodePageText(key);
        entry += PdfTextString(value);
        table.Add(entry);
    }
    table.Add(">>");
    table.End();
    table.Object(o.procSet, {"[/PDF /Text]"});

    TPDFTrailer trailer;
    trailer.root = o.catalog;
    trailer.info = o.info;
    if (FArchive) {
        std::vector<int> pageObjects;
        pageObjects.reserve(o.pages.size());
        for (const TPDFPageObjects& page : o.pages)
            pageObjects.push_back(page.page);
        FTags->Write(table, a.tags, o.pages.size(), pageObjects);
        const std::vector<std::string> xmp = PdfXmpLines(info);
        const std::vector<std::string_view> lines(xmp.begin(), xmp.end());
        table.LinesStream(a.metadata, lines, "/Type /Metadata /Subtype /XML");
        const std::string profile[] = {"<< /N 3 /Length " + TPDFObjectTable::Ref(a.profileLength) + " >>"};
        table.BytesStream(a.profile, profile, PdfSRgbProfile(), a.profileLength);
        flush();
        trailer.id[0] = fingerprint.Digest();
    }
    table.Finish(trailer);
    if (!pending.empty())
        flush();
}

void TQRPDFDocumentFilter::writeDocument()
{
    const auto produce = [&](const platform::files::ByteSink& out) { assemble(out); };
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

} // namespace zt::exporting
