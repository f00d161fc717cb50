// The PDF writer's filter calls: pages opened lazily, text lines and shapes
// turned into drawing items in points, and the writer's options.

#include "export/QRPDFFilter.h"
#include "export/QRPDFCompositeFont.h"
#include "export/QRPDFDocument.h"
#include "export/QRPDFFonts.h"
#include "export/QRPDFShape.h"

#include "base/QRError.h"
#include "pages/QRPrinter.h"
#include "platform/fonts/FontService.h"
#include "platform/files/TempFile.h"
#include "platform/streams/Stream.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/Trim.h"
#include "platform/text/Utf.h"
#include "report/QRReport.h"
#include "report/QRShapes.h"

#include <algorithm>
#include <array>
#include <map>
#include <cmath>

namespace zt::exporting {

using namespace zt::report;

namespace {

constexpr long double kPointsPerNativeBase = 2.8346456692913385826L;  // 72 / 25.4
constexpr long double kScreenFactor = kScreenPixelsPerInch / 254.0L;

TRGBColor rgbOf(TColor c)
{
    return {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
            static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

std::string trim(const std::string& s)
{
    return std::string(platform::text::trimmed(s, " "));
}

// The writer's text is single-byte: a Japanese or Chinese character set
// would come out as Western letters, so such a font is refused outright.
void refuseMultiByteCharset(const TQRFont& font)
{
    const char* name = nullptr;
    int codePage = 0;
    switch (font.Charset) {
    case 128: name = "japanischen"; codePage = 932; break;
    case 134: name = "vereinfachten chinesischen"; codePage = 936; break;
    case 136: name = "traditionellen chinesischen"; codePage = 950; break;
    default: return;
    }
    raiseQRError(ErrorKind::DamagedInput, "Die Schrift „" + font.Name + "“ verwendet den " + name +
                                              " Zeichensatz (Codepage " + std::to_string(codePage) +
                                              "), den ein PDF-Dokument hier nicht aufnehmen kann");
}

} // namespace

// The screen font of the last text line, kept while lines share it.
struct TQRPDFDocumentFilter::Measure {
    TQRFont font;
    std::shared_ptr<const platform::Font> realised;
    // The widths the document lists for each font, by key.
    std::map<std::string, std::array<int, 256>> listed;

    const std::array<int, 256>& listedWidths(const TQRFont& f)
    {
        const TPDFFontKey key = TPDFFontKey::Of(f.Name, f.Has(fsBold), f.Has(fsItalic), f.Charset);
        auto it = listed.find(key.Text());
        if (it == listed.end())
            it = listed.emplace(key.Text(), PDFGlyphWidths(key)).first;
        return it->second;
    }

    const platform::Font& of(const TQRFont& f)
    {
        if (!realised || !(font == f)) {
            realised = platform::FontService::instance().font(f.ToLogFont(kScreenPixelsPerInch));
            font = f;
        }
        return *realised;
    }
};

TQRPDFDocumentFilter::TQRPDFDocumentFilter(const std::string& filename)
    : TQRPAbstractExportFilter(filename), FTags(std::make_unique<TPDFTags>()), FMeasure(std::make_unique<Measure>())
{
    BGHFactor = 1.0L;
}

TQRPDFDocumentFilter::~TQRPDFDocumentFilter() = default;

std::vector<std::string>& TQRPDFDocumentFilter::MetaData()
{
    static std::vector<std::string> lines;
    return lines;
}

void TQRPDFDocumentFilter::SetDocumentInfo(const std::string& creator, const std::string& author,
                                           const std::string& title, const std::string& subject)
{
    FDocCreator = creator;
    FDocAuthor = author;
    FDocTitle = title;
    FDocSubject = subject;
    FDocInfoGiven = true;
}

void TQRPDFDocumentFilter::AddFontMap(const std::string& ssmap)
{
    const std::size_t colon = ssmap.find(':');
    const std::string entry = colon == std::string::npos
                                  ? trim(ssmap)
                                  : trim(ssmap.substr(0, colon)) + ":" + trim(ssmap.substr(colon + 1));
    for (std::string& e : FSubstitutedFonts)
        if (platform::text::equalsIgnoringAsciiCase(e, entry)) {
            e = entry;
            return;
        }
    FSubstitutedFonts.push_back(entry);
}

void TQRPDFDocumentFilter::AddTTFont(const std::string& fontName)
{
    if (std::find(FEmbedFonts.begin(), FEmbedFonts.end(), fontName) == FEmbedFonts.end())
        FEmbedFonts.push_back(fontName);
}

void TQRPDFDocumentFilter::AddCustomWidths(const std::string& fontName, const std::string& widthstr)
{
    FCustomWidths.emplace_back(fontName, widthstr);
}

void TQRPDFDocumentFilter::AddCustomEncoding(const std::string& fontName, const std::string& encodingstr)
{
    FCustomEncodings.emplace_back(fontName, encodingstr);
}

void TQRPDFDocumentFilter::SetPageParams(long double w, long double h, long double, long double tma, long double lma)
{
    FPageWidth = w;
    FPageHeight = h;
    FAdjustTM = tma;
    FAdjustLM = lma;
    if (!FPDF.pages.empty())
        FPDF.pages.back() = {w, h};
}

void TQRPDFDocumentFilter::EndConcat()
{
    FPDFConcatenating = false;
    Finish();
}

// --- pages -----------------------------------------------------------------

void TQRPDFDocumentFilter::computeFactors()
{
    long double fx = pages::kDefaultFactor, fy = pages::kDefaultFactor;
    if (FOwner != nullptr && FOwner->QRPrinter != nullptr) {
        fx = FOwner->QRPrinter->XFactor();
        fy = FOwner->QRPrinter->YFactor();
    }
    FPtx = (1.0L / (fx * 10.0L)) * kPointsPerNativeBase;
    FPty = (1.0L / (fy * 10.0L)) * kPointsPerNativeBase;
}

void TQRPDFDocumentFilter::openPage()
{
    computeFactors();
    FAdjustTM = 0;
    FAdjustLM = 0;
    ++FPageNumber;
    long double width = FPaperWidth, length = FPaperHeight;
    if (FOwner != nullptr) {
        width = FOwner->Page().Value(TQRPage::iWidth);
        length = FOwner->Page().Value(TQRPage::iLength);
    }
    FPageWidth = static_cast<long double>(Round(width)) * 0.1L * 72.0L / 25.4L;
    FPageHeight = static_cast<long double>(Round(length)) * 0.1L * 72.0L / 25.4L;
    FPDF.pages.push_back({FPageWidth, FPageHeight});
    // A page's text is about as long as the one before: made room for once
    // instead of grown step by step, each step a copy into fresh memory.
    FPDF.parts.emplace_back().text.reserve(FPDF.lastPageText + FPDF.lastPageText / 8);
    FPageTextState.set = false;
    FMadeFirstPageFiles = true;
}

void TQRPDFDocumentFilter::closePage()
{
    if (FPDF.parts.empty())
        return;
    closeMarks();
    std::string& t = FPDF.parts.back().text;
    if (!t.empty())
        t += "\r\n";
    t += "ET";
    FPDF.lastPageText = t.size();
    spillClosedPages();
}

void TQRPDFDocumentFilter::ensurePage()
{
    if (!FMadeFirstPageFiles)
        openPage();
}

int TQRPDFDocumentFilter::deviceX(long double x) const
{
    if (FOwner != nullptr && FOwner->QRPrinter != nullptr)
        return FOwner->QRPrinter->XPos(x);
    return static_cast<int>(Round(x * pages::kDefaultFactor));
}

int TQRPDFDocumentFilter::deviceY(long double y) const
{
    if (FOwner != nullptr && FOwner->QRPrinter != nullptr)
        return FOwner->QRPrinter->YPos(y);
    return static_cast<int>(Round(y * pages::kDefaultFactor));
}

// --- filter calls ----------------------------------------------------------

void TQRPDFDocumentFilter::Start(int paperWidth, int paperHeight, const TQRFont& font)
{
    TQRPAbstractExportFilter::Start(paperWidth, paperHeight, font);
    if (!FArchiveChosen && FOwner != nullptr && FOwner->DocumentInfo.Archive)
        FArchive = true;
    FPaperWidth = paperWidth;
    FPaperHeight = paperHeight;
    CreateStream(FFilename);
}

void TQRPDFDocumentFilter::CreateStream(const std::string& fileName)
{
    if (fileName.empty() && !FMemoryStream)
        FMemoryStream = std::make_unique<platform::TMemoryStream>();
}

void TQRPDFDocumentFilter::NewPage()
{
    if (FFirstPage) {
        FFirstPage = false;
        return;
    }
    TPDFItemRec item;
    item.ItemType = TPDFItemType::IT_NEWPAGE;
    RenderItem(item);
}

void TQRPDFDocumentFilter::TextOut(long double x, long double y, const TQRFont& font, TColor, TAlignment alignment,
                                   const std::string& text)
{
    refuseMultiByteCharset(font);
    ensurePage();
    int dx = deviceX(x);
    const int dy = deviceY(y);
    const long double fx = FOwner != nullptr && FOwner->QRPrinter != nullptr ? FOwner->QRPrinter->XFactor()
                                                                            : pages::kDefaultFactor;
    const platform::Font& screen = FMeasure->of(font);
    // Only an anchor at the right or the centre needs the width: nearly
    // every line of a document is anchored at its left.
    if (alignment == TAlignment::taRightJustify || alignment == TAlignment::taCenter) {
        const int w = static_cast<int>(Round(screen.textWidth(text) * (fx / kScreenFactor)));
        dx -= alignment == TAlignment::taRightJustify ? w : w / 2;
    }
    if (font.Has(fsUnderline) || font.Has(fsStrikeOut)) {
        const int h = screen.metrics().height;
        // The line ends where the reader ends the text: at the widths the
        // document lists, not the screen's rounded ones.
        long double units = 0;
        if (FArchive) {
            // A composite font shows every character at its own width.
            const TPDFFontKey key = TPDFFontKey::Of(font.Name, font.Has(fsBold), font.Has(fsItalic), font.Charset);
            const auto large = platform::FontService::instance().font(PDFFontRequest(key));
            for (std::size_t i = 0; i < text.size();)
                units += PDFCharacterWidth(*large, platform::text::decodeUtf8(text, i));
        } else {
            const std::array<int, 256>& widths = FMeasure->listedWidths(font);
            for (const char code : PdfCodePageText(text, PDFTextCodePage(font.Charset)))
                units += widths[static_cast<unsigned char>(code)];
        }
        const long double points = units * std::abs(font.Size()) / 1000.0L;
        TQRShape line(nullptr);
        line.SetShape(TQRShapeType::qrsHorLine);
        line.SetBounds(0, 0, static_cast<int>(Round(points / FPtx)), 2);
        line.SetPen({font.Color, TPenStyle::psSolid, std::max(1, std::abs(font.Size()) / 12)});
        line.SetBrush({font.Color, TBrushStyle::bsClear});
        AcceptGraphic(dx, font.Has(fsUnderline) ? dy + h : dy + h / 2, &line);
    }
    // One item for every line: its strings keep their room.
    TPDFItemRec& item = FTextItem;
    item.ItemType = TPDFItemType::IT_TEXT;
    item.FontSize = std::abs(font.Size());
    item.XPos = dx * FPtx + FAdjustLM;
    item.YPos = item.FontSize + dy * FPty + FAdjustTM;
    item.FText = text;
    item.FontName = font.Name;
    item.FontCharset = font.Charset;
    item.fbold = font.Has(fsBold);
    item.fItalic = font.Has(fsItalic);
    item.RGBFColor = rgbOf(font.Color);
    if (FBiDiMode == TBiDiMode::bdRightToLeft) {
        std::u32string chars;
        for (std::size_t i = 0; i < text.size();)
            chars += platform::text::decodeUtf8(text, i);
        item.FText.clear();
        for (auto it = chars.rbegin(); it != chars.rend(); ++it)
            platform::text::appendUtf8(item.FText, *it);
    }
    RenderItem(item);
}

void TQRPDFDocumentFilter::AcceptGraphic(long double xoff, long double yoff, TQRControl* gcontrol)
{
    if (gcontrol == nullptr)
        return;
    ensurePage();
    if (dynamic_cast<TQRHRule*>(gcontrol) != nullptr)
        acceptRule(xoff, yoff, gcontrol);
    else if (dynamic_cast<TQRImage*>(gcontrol) != nullptr)
        acceptImage(xoff, yoff, gcontrol);
    // The filter's own shape and the report's take the same way.
    else if (dynamic_cast<TQRPDFShape*>(gcontrol) != nullptr || dynamic_cast<TQRShape*>(gcontrol) != nullptr)
        acceptShape(xoff, yoff, gcontrol);
}

// A rule is one outline item, at the box's size without the screen factor.
void TQRPDFDocumentFilter::acceptRule(long double xoff, long double yoff, TQRControl* control)
{
    const auto* rule = static_cast<TQRHRule*>(control);
    TPDFItemRec item;
    item.ItemType = TPDFItemType::IT_GRAPHIC;
    item.Shape = TPDFShapeType::S_HLINE;
    item.Filled = false;
    item.XPos = xoff * FPtx + FAdjustLM;
    item.YPos = yoff * FPty + FAdjustTM;
    item.Width = rule->Width() * FPtx;
    item.Height = rule->Height() * FPtx;
    item.thickness = rule->Pen().Width * FPtx;
    item.RGBStrokeColor = rgbOf(rule->Pen().Color);
    RenderItem(item);
}

void TQRPDFDocumentFilter::acceptShape(long double xoff, long double yoff, TQRControl* control)
{
    const auto* shape = static_cast<TQRShape*>(control);
    const long double fx = FOwner != nullptr && FOwner->QRPrinter != nullptr ? FOwner->QRPrinter->XFactor()
                                                                            : pages::kDefaultFactor;
    const long double q = fx / kScreenFactor;
    TPDFItemRec item;
    item.ItemType = TPDFItemType::IT_GRAPHIC;
    item.XPos = xoff * FPtx + FAdjustLM;
    item.YPos = yoff * FPty + FAdjustTM;
    item.Width = shape->Width() * FPtx * BGHFactor * q;
    item.Height = shape->Height() * FPtx * q;
    item.thickness = shape->Pen().Width * FPtx;
    item.RGBStrokeColor = rgbOf(shape->Pen().Color);
    item.RGBFColor = rgbOf(shape->Brush().Color);
    switch (shape->Shape()) {
    case TQRShapeType::qrsRectangle: item.Shape = TPDFShapeType::S_BOX; break;
    case TQRShapeType::qrsCircle: item.Shape = TPDFShapeType::S_CIRCLE; break;
    case TQRShapeType::qrsVertLine: item.Shape = TPDFShapeType::S_VLINE; break;
    case TQRShapeType::qrsHorLine: item.Shape = TPDFShapeType::S_HLINE; break;
    case TQRShapeType::qrsTopAndBottom: item.Shape = TPDFShapeType::S_TOPBOTTOM; break;
    case TQRShapeType::qrsRightAndLeft: item.Shape = TPDFShapeType::S_LEFTRIGHT; break;
    case TQRShapeType::qrsRoundRect: item.Shape = TPDFShapeType::S_OBLIQUE; break;
    case TQRShapeType::qrsLeftDiagonal: item.Shape = TPDFShapeType::S_LEFTDIAG; break;
    case TQRShapeType::qrsRightDiagonal: item.Shape = TPDFShapeType::S_RIGHTDIAG; break;
    }
    if (shape->Brush().Style != TBrushStyle::bsClear) {
        item.Filled = true;
        RenderItem(item);
    }
    if (shape->Pen().Style != TPenStyle::psClear) {
        item.Filled = false;
        RenderItem(item);
    }
}

} // namespace zt::exporting
