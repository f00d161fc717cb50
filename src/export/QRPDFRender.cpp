// Rendering drawing items into the content-stream lines of the current page:
// text into the text part, shapes and images into the graphics part. The
// PDF's axis runs upwards, so every vertical position is flipped.

#include "export/QRPDFCompositeFont.h"
#include "export/QRPDFDocument.h"
#include "export/QRPDFFilter.h"
#include "export/QRPDFFonts.h"
#include "base/QRError.h"
#include "base/QRMath.h"

#include <charconv>

namespace zt::exporting {

using namespace zt::report;

namespace {

std::string colourLine(const TRGBColor& c, const char* op)
{
    return PdfFixed(c.Red / 255.0L, 2) + " " + PdfFixed(c.Green / 255.0L, 2) + " " + PdfFixed(c.Blue / 255.0L, 2) + op;
}

// "%2.0f w": the width as a whole number in two places.
std::string lineWidth(long double thickness)
{
    return PdfPad(PdfInt(thickness), 2) + " w";
}

std::string moveLine(long double x1, long double y1, long double x2, long double y2)
{
    return PdfInt(x1) + " " + PdfInt(y1) + " m " + PdfInt(x2) + " " + PdfInt(y2) + " l s";
}

std::string num61(long double v)
{
    return PdfPad(PdfFixed(v, 1), 6);
}

void append(std::string& part, const std::string& line)
{
    if (!part.empty())
        part += "\r\n";
    part += line;
}

// PdfInt written straight into the part, without a string of its own.
void appendInt(std::string& part, long double value)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(Round(value)));
    part.append(buf, r.ptr);
}

bool sameColour(const TRGBColor& a, const TRGBColor& b)
{
    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
}

} // namespace

int TQRPDFDocumentFilter::fontResource(const TPDFItemRec& item)
{
    if (FLastResource >= 0 && item.FontName == FLastFontName && item.fbold == FLastBold &&
        item.fItalic == FLastItalic && item.FontCharset == FLastCharset)
        return FLastResource;
    FLastFontName = item.FontName;
    FLastBold = item.fbold;
    FLastItalic = item.fItalic;
    FLastCharset = item.FontCharset;
    const std::string key = TPDFFontKey::Of(item.FontName, item.fbold, item.fItalic, item.FontCharset).Text();
    if (key == FLastKey)
        return FLastResource;
    int index = -1;
    for (std::size_t i = 0; i < FReportFonts.size(); ++i)
        if (FReportFonts[i] == key)
            index = static_cast<int>(i);
    if (index < 0) {
        FReportFonts.push_back(key);
        index = static_cast<int>(FReportFonts.size()) - 1;
    }
    FLastKey = key;
    FLastResource = index;
    return index;
}

void TQRPDFDocumentFilter::RenderItem(const TPDFItemRec& item)
{
    switch (item.ItemType) {
    case TPDFItemType::IT_INVALID:
        raiseQRError(ErrorKind::InternalFault, "Internal error: IT_INVALID");
    case TPDFItemType::IT_NEWPAGE:
        // A page that got no item yet still counts as a page.
        ensurePage();
        closePage();
        openPage();
        return;
    case TPDFItemType::IT_TEXT:
        ensurePage();
        if (FArchive) {
            if (!markText(item))
                return;
            // A reader joins the lines of an element as they stand: a blank
            // after each keeps the last word of one line off the next's first.
            // One buffer for every line, not a copy of the whole item.
            FSpacedText.assign(item.FText);
            FSpacedText += ' ';
            renderText(item, FSpacedText);
            return;
        }
        renderText(item, item.FText);
        return;
    case TPDFItemType::IT_GRAPHIC:
        ensurePage();
        if (FArchive)
            markGraphics();
        renderGraphic(item);
        return;
    case TPDFItemType::IT_IMAGE:
        ensurePage();
        if (FArchive)
            markGraphics();
        renderImage(item);
        return;
    }
}

void TQRPDFDocumentFilter::renderText(const TPDFItemRec& item, std::string_view text)
{
    // Written piece by piece: every text line of the document comes here.
    const int resource = fontResource(item);
    std::string& t = FPDF.parts.back().text;
    if (FLastTextColourLine.empty() || !sameColour(item.RGBFColor, FLastTextColour)) {
        FLastTextColour = item.RGBFColor;
        FLastTextColourLine = colourLine(item.RGBFColor, " rg");
    }
    // An archive page's text sets its colour and font only where they
    // change: each line of a letter would repeat them (a sixth of its text).
    // The plain document keeps its lines as they always were.
    const bool stateKept = FArchive && FPageTextState.set && FPageTextState.resource == resource &&
                           FPageTextState.size == item.FontSize && sameColour(FPageTextState.colour, item.RGBFColor);
    if (stateKept) {
        t += "\r\n 1 0 0 1 ";
    } else {
        append(t, FLastTextColourLine);
        t += "\r\n/F";
        t += PdfResourceNumber(resource);
        t += ' ';
        appendInt(t, item.FontSize);
        t += " Tf\r\n 1 0 0 1 ";
        FPageTextState = {true, resource, item.FontSize, item.RGBFColor};
    }
    appendInt(t, item.XPos);
    t += ' ';
    appendInt(t, FPageHeight - item.YPos);
    if (FUsedCodes.size() <= static_cast<std::size_t>(resource))
        FUsedCodes.resize(static_cast<std::size_t>(resource) + 1);
    if (FArchive) {
        if (FArchiveFonts.size() <= static_cast<std::size_t>(resource))
            FArchiveFonts.resize(static_cast<std::size_t>(resource) + 1);
        std::shared_ptr<TPDFArchiveFont>& font = FArchiveFonts[static_cast<std::size_t>(resource)];
        if (!font)
            font = OpenPDFArchiveFont(TPDFFontKey::Parse(FReportFonts[static_cast<std::size_t>(resource)]));
        if (font->composite) {
            t += " Tm (";
            font->AppendCodes(t, text);
            t += ") Tj";
            return;
        }
    }
    t += " Tm (";
    PdfAppendEscapedText(t, text, FUsedCodes[static_cast<std::size_t>(resource)],
                         PDFTextCodePage(item.FontCharset));
    t += ") Tj";
}

void TQRPDFDocumentFilter::renderGraphic(const TPDFItemRec& item)
{
    std::string& g = FPDF.parts.back().graphics;
    const long double X = item.XPos, Y = FPageHeight - item.YPos, W = item.Width, H = item.Height;
    const std::string stroke = colourLine(item.RGBStrokeColor, " RG");
    switch (item.Shape) {
    case TPDFShapeType::S_BOX:
        append(g, PdfFixed(item.thickness, 2) + " w");
        append(g, item.Filled ? colourLine(item.RGBFColor, " rg") : stroke);
        append(g, PdfInt(X) + " " + PdfInt(Y - H) + " " + PdfInt(W) + " " + PdfInt(H) + " re " +
                      (item.Filled ? "f" : "s"));
        return;
    case TPDFShapeType::S_CIRCLE: {
        append(g, lineWidth(item.thickness));
        append(g, item.Filled ? colourLine(item.RGBFColor, " rg") : stroke);
        const long double rx = W / 2, ry = H / 2, cx = X + rx, cy = Y - ry;
        const long double k = 0.55229L;
        append(g, num61(cx) + " " + num61(Y) + " m");
        const auto arc = [&](long double c1x, long double c1y, long double c2x, long double c2y, long double ex,
                             long double ey) {
            // Appended piece by piece: GCC 12 misreads " " + std::string as overlapping at -O3.
            std::string s;
            for (const long double v : {c1x, c1y, c2x, c2y, ex, ey}) {
                s += ' ';
                s += num61(v);
            }
            s.erase(0, s.find_first_not_of(' '));
            return s + " c";
        };
        append(g, arc(cx + k * rx, Y, X + W, cy + k * ry, X + W, cy));
        append(g, arc(X + W, cy - k * ry, cx + k * rx, Y - H, cx, Y - H));
        append(g, arc(cx - k * rx, Y - H, X, cy - k * ry, X, cy));
        append(g, arc(X, cy + k * ry, cx - k * rx, Y, cx, Y) + (item.Filled ? " f" : " s"));
        return;
    }
    case TPDFShapeType::S_HLINE:
        append(g, lineWidth(item.thickness));
        append(g, stroke);
        append(g, moveLine(X, Y - H / 2, X + W, Y - H / 2));
        return;
    case TPDFShapeType::S_VLINE:
        append(g, lineWidth(item.thickness));
        append(g, stroke);
        append(g, moveLine(X + W / 2, Y - H, X + W / 2, Y));
        return;
    case TPDFShapeType::S_TOPBOTTOM:
        append(g, lineWidth(item.thickness));
        append(g, stroke);
        append(g, moveLine(X, Y, X + W, Y));
        append(g, moveLine(X, Y - H, X + W, Y - H));
        return;
    case TPDFShapeType::S_LEFTRIGHT:
        append(g, lineWidth(item.thickness));
        append(g, stroke);
        append(g, moveLine(X, Y - H, X, Y));
        append(g, moveLine(X + W, Y - H, X + W, Y));
        return;
    case TPDFShapeType::S_RIGHTDIAG:
        append(g, lineWidth(item.thickness));
        append(g, stroke);
        append(g, moveLine(X, Y, X + W, Y - H));
        return;
    case TPDFShapeType::S_LEFTDIAG:
        append(g, lineWidth(item.thickness));
        append(g, stroke);
        append(g, moveLine(X, Y - H, X + W, Y));
        return;
    case TPDFShapeType::S_OBLIQUE:
        return;
    }
}

void TQRPDFDocumentFilter::renderImage(const TPDFItemRec& item)
{
    std::string& g = FPDF.parts.back().graphics;
    const long double X = item.XPos, Y = FPageHeight - item.YPos;
    append(g, "q " + PdfInt(item.Width * item.xscale) + " 0 0 " + PdfInt(item.Height * item.yscale) + " " + PdfInt(X) +
                  " " + PdfInt(Y) + " cm");
    append(g, "BI");
    append(g, "/Width " + std::to_string(item.pixelWidth));
    append(g, "/Height " + std::to_string(item.pixelHeight));
    append(g, "/BitsPerComponent 8");
    append(g, "/ColorSpace /DeviceRGB");
    append(g, "/Filter [" + item.ImageFilter + "]");
    append(g, "ID");
    append(g, item.imagedata);
    append(g, "EI");
    append(g, "Q");
}

} // namespace zt::exporting
