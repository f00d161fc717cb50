#pragma once
// The PDF document writer: an export filter that turns one report run into
// a PDF 1.3 file, or an archive document (PDF/A-2u, tagged as PDF/UA-1,
// PDF 1.7) with its structure from the run. Every text line, shape and
// image becomes a drawing item that is rendered at once into content-stream
// lines of the current page; Finish assembles objects, cross-reference
// table and trailer and writes the document through a single-byte code page.

#include "export/QRPDFTags.h"
#include "report/QRExportFilter.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zt::platform {
class TMemoryStream;
class Font;
namespace files {
class TempFile;
}
}

namespace zt::exporting {

using namespace zt::report;

struct TPDFArchiveFont;

// fhEmbedSubset, the default, embeds a subset of each font's file holding
// the glyphs the document uses; fhAutoEmbed embeds whole files.
enum class TFontHandling { fhSubstitute, fhAutoEmbed, fhNoEmbedding, fhEmbedSubset };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum class TPDFItemType { IT_INVALID, IT_TEXT, IT_NEWPAGE, IT_GRAPHIC, IT_IMAGE };
enum class TPDFShapeType { S_BOX, S_CIRCLE, S_HLINE, S_VLINE, S_OBLIQUE, S_TOPBOTTOM, S_LEFTRIGHT, S_RIGHTDIAG,
                           S_LEFTDIAG };

struct TRGBColor {
    std::uint8_t Red = 0, Green = 0, Blue = 0;
};

// One drawing item; positions and sizes in points from the page's top-left corner.
struct TPDFItemRec {
    TPDFItemType ItemType = TPDFItemType::IT_INVALID;
    long double XPos = 0, YPos = 0;
    std::string FontName;
    std::string FText;
    int FontCharset = 0;
    int FontSize = 0;
    bool fbold = false, fItalic = false;
    bool Filled = false;
    long double Width = 0, Height = 0;
    long double thickness = 0;
    long double xscale = 1, yscale = 1;
    std::string imagedata;
    std::string ImageFilter;
    TPDFShapeType Shape = TPDFShapeType::S_BOX;
    int pixelWidth = 0, pixelHeight = 0;
    TRGBColor RGBStrokeColor, RGBFColor;
};

struct TPDFPages {
    long double PageWidth = 0, PageHeight = 0;
};

// One page's content: the text part and the graphics part, each as its
// lines joined by CR LF.
struct TPDFPageParts {
    std::string text;
    std::string graphics;
};

// Where a closed page's parts went when the document grew large.
struct TPDFSpilledPage {
    bool onDisk = false;
    std::uint64_t at = 0;
    std::size_t text = 0, graphics = 0;
};

// Per-document page bookkeeping.
struct TPDFNote {
    std::vector<TPDFPages> pages;
    std::vector<TPDFPageParts> parts;
    // Closed pages beyond a few megabytes go to a temporary file, so a
    // document of many thousand pages (a mail merge) is never held whole.
    std::vector<TPDFSpilledPage> spilled;
    std::unique_ptr<platform::files::TempFile> spillFile;
    std::uint64_t spillEnd = 0;
    std::size_t inMemory = 0;      // bytes of closed pages still in memory
    std::size_t firstInMemory = 0; // the first closed page not yet spilled
    std::size_t lastPageText = 0;  // the text of the page closed last, in bytes
};

class TQRPDFDocumentFilter : public TQRPAbstractExportFilter {
public:
    explicit TQRPDFDocumentFilter(const std::string& filename);
    ~TQRPDFDocumentFilter() override;

    static const char* ClassName() { return "TQRPDFDocumentFilter"; }

    std::string Name() const override { return "PDF document"; }
    std::string Description() const override { return "PDF document filter"; }
    std::string FileExtension() const override { return "PDF"; }
    bool Streaming() const override { return false; }

    void Start(int paperWidth, int paperHeight, const TQRFont& font) override;
    void NewPage() override;
    void EndPage() override {}
    void TextOut(long double x, long double y, const TQRFont& font, TColor bgColor, TAlignment alignment,
                 const std::string& text) override;
    void AcceptGraphic(long double xoff, long double yoff, TQRControl* gcontrol) override;
    void Finish() override;
    void CreateStream(const std::string& fileName) override;

    void SetDocumentInfo(const std::string& creator, const std::string& author, const std::string& title,
                         const std::string& subject);
    void AddFontMap(const std::string& ssmap);
    void AddTTFont(const std::string& fontName);
    void AddCustomWidths(const std::string& fontName, const std::string& widthstr);
    void AddCustomEncoding(const std::string& fontName, const std::string& encodingstr);
    void SetPageParams(long double w, long double h, long double tm, long double tma, long double lma);
    void EndConcat();

    // The document when no file name was given; owned by the filter.
    platform::TMemoryStream* Stream() const { return FMemoryStream.get(); }
    bool TextOnTop() const { return FTextOnTop; }
    void SetTextOnTop(bool v)
    {
        FTextOnTop = v;
        FTextFirst = !v;
    }
    bool Concatenating() const { return FPDFConcatenating; }
    void SetConcatenating(bool v) { FPDFConcatenating = v; }
    bool CompressionOn() const { return FPDFCompressionOn; }
    void SetCompressionOn(bool v) { FPDFCompressionOn = v; }
    TFontHandling FontHandling() const { return FFontHandling; }
    void SetFontHandling(TFontHandling v) { FFontHandling = v; }
    // An archive document (PDF/A-2u, tagged for screen readers) instead of
    // the plain PDF; off unless the caller asks, so other reports' settings
    // keep their meaning.
    // A report whose document information asks for an archive document gets
    // one unless SetArchive chose. Without a font that can be embedded the
    // document is written tagged but without the archive claim, and Notice
    // says why.
    bool Archive() const { return FArchive; }
    void SetArchive(bool v)
    {
        FArchive = v;
        FArchiveChosen = true;
    }
    void BeginStructure(const TQRStructureMark& mark) override;
    void EndStructure() override;
    std::string Notice() const override { return FNotice; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode v) { FBiDiMode = v; }
    // Shared by every PDF filter of the process: "key,value" lines that
    // become extra document-information entries.
    static std::vector<std::string>& MetaData();

    const std::vector<std::string>& ReportFonts() const { return FReportFonts; }
    const std::vector<std::string>& SubstitutedFonts() const { return FSubstitutedFonts; }
    int PageCount() const { return FPageNumber; }

    // Renders one item into the current page (public for the item tests).
    void RenderItem(const TPDFItemRec& item);

private:
    friend class TPDFFontWriter;
    struct Measure;
    void openPage();
    void closePage();
    void ensurePage();
    void computeFactors();
    int deviceX(long double x) const;
    int deviceY(long double y) const;
    int fontResource(const TPDFItemRec& item);
    // `text` stands for the item's own (the item's with a blank after it).
    void renderText(const TPDFItemRec& item, std::string_view text);
    void renderGraphic(const TPDFItemRec& item);
    void renderImage(const TPDFItemRec& item);
    void acceptRule(long double xoff, long double yoff, TQRControl* control);
    void acceptShape(long double xoff, long double yoff, TQRControl* shape);
    void acceptImage(long double xoff, long double yoff, TQRControl* image);
    void assemble(const std::function<void(std::string_view)>& sink);
    void writeDocument();
    void spillClosedPages();
    // Marked content of an archive document: a text item's sequence (false:
    // a blank line, which is not written), the graphics as one artifact,
    // and both closed before the page ends.
    bool markText(const TPDFItemRec& item);
    void markGraphics();
    void closeMarks();
    TPDFPageParts takeParts(std::size_t page);

    bool FFirstPage = true;
    int FPageNumber = 0;
    bool FPDFConcatenating = false;
    TFontHandling FFontHandling = TFontHandling::fhEmbedSubset;
    bool FArchive = false;
    bool FArchiveChosen = false;
    std::string FNotice;
    std::unique_ptr<TPDFTags> FTags;
    // The text part's open marked-content sequence and what it marks.
    bool FMarkOpen = false;
    TPDFTagTarget FMarked;
    TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
    bool FMadeFirstPageFiles = false;
    bool FTextFirst = false;
    bool FTextOnTop = true;
    std::string FDocSubject, FDocCreator = "Bandorias", FDocTitle, FDocAuthor;
    // Set by SetDocumentInfo, whose values then stand over the report's.
    bool FDocInfoGiven = false;
    std::vector<std::pair<std::string, std::string>> FCustomWidths, FCustomEncodings;
    bool FPDFCompressionOn = true;
    TPDFNote FPDF;
    std::vector<std::string> FReportFonts;
    std::vector<std::string> FEmbedFonts;
    std::vector<std::string> FSubstitutedFonts{"Arial:Helvetica", "Times New Roman:Times", "Courier New:Courier"};
    long double FPageWidth = 0, FPageHeight = 0;
    long double FAdjustTM = 0, FAdjustLM = 0;

    // Points per device unit of the report's recorder.
    long double FPtx = 0.75L, FPty = 0.75L;
    std::unique_ptr<platform::TMemoryStream> FMemoryStream;
    std::unique_ptr<Measure> FMeasure;
    // The font of the last text line and its resource, for runs of one font;
    // the font as the item named it, so a run builds no key at all.
    std::string FLastKey;
    int FLastResource = -1;
    std::string FLastFontName;
    bool FLastBold = false, FLastItalic = false;
    int FLastCharset = -1;
    // The codes each font resource's text uses, for its subset.
    std::vector<std::bitset<256>> FUsedCodes;
    // An archive document's fonts by resource, settled at their first text
    // line (their text is written in two-byte codes where they can be embedded).
    std::vector<std::shared_ptr<TPDFArchiveFont>> FArchiveFonts;
    // The colour line of the last text line, for runs of one colour.
    TRGBColor FLastTextColour;
    // The colour and font the current page's text has set, in an archive document.
    struct {
        bool set = false;
        int resource = -1, size = 0;
        TRGBColor colour;
    } FPageTextState;
    std::string FLastTextColourLine;
    std::string FSpacedText;  // a tagged line with its blank
    TPDFItemRec FTextItem; // the text line being written
};

} // namespace zt::exporting
