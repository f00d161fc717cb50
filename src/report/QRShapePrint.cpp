// Printing shapes, pictures and the frame of printables without text.

#include "report/QRShapes.h"

#include "pages/QRPrinter.h"
#include "platform/gdi/EmfPlayer.h"
#include "report/QRDraw.h"
#include "report/QRExportFilter.h"
#include "report/QRExportHandOff.h"
#include "report/QRReport.h"

#include <algorithm>

namespace zt::report {

namespace gdi = platform::gdi;

namespace {

bool drawing(const TQRPrintable& p)
{
    const TCustomBandoriaRep* report = p.ParentReport();
    return report == nullptr || report->FinalPass;
}

struct NativeBox {
    Native l, t, w, h;
};

NativeBox boxAt(const TQRPrintable& p, int ofsX, int ofsY)
{
    const TQRPrintableSize& s = p.Size();
    return {ofsX + s.Value(TQRPrintableSize::iLeft), ofsY + s.Value(TQRPrintableSize::iTop),
            s.Value(TQRPrintableSize::iWidth), s.Value(TQRPrintableSize::iHeight)};
}

// An unstretched picture keeps its own size (a picture pixel is a screen
// pixel of the box, or a printer dot for one made for the printer, Tag
// 12345) from the box's top-left corner and is cut at the box, as the PDF
// writer places it.
void drawUnscaled(pages::TQRPrinter& printer, gdi::EmfRecorder& device, const TQRImage& image,
                  const gdi::Bitmap& picture, const NativeBox& b)
{
    const int cw = image.Width(), ch = image.Height();
    const int w = std::min(picture.width, cw), h = std::min(picture.height, ch);
    if (w <= 0 || h <= 0)
        return;
    long double d = 1;
    if (image.Tag == 12345) {
        const int dpi = printer.PrinterSettings().PixelsPerX();
        if (dpi > 0)
            d = static_cast<long double>(kScreenPixelsPerInch) / dpi;
    }
    const Native pixel = 254.0L / kScreenPixelsPerInch * d;
    const gdi::Bitmap part =
        w == picture.width && h == picture.height ? picture : PlacePicture(picture, w, h);
    device.StretchDraw(DeviceRect(printer, b.l, b.t, b.l + w * pixel, b.t + h * pixel), part);
}

} // namespace

gdi::Bitmap PlacePicture(const gdi::Bitmap& source, int width, int height)
{
    gdi::Bitmap out;
    out.width = std::max(0, width);
    out.height = std::max(0, height);
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 0xFFFFFFFFu);
    if (out.pixels.empty())
        return out;
    for (int y = 0; y < std::min(out.height, source.height); ++y)
        for (int x = 0; x < std::min(out.width, source.width); ++x)
            out.pixels[static_cast<std::size_t>(y) * out.width + x] =
                source.pixels[static_cast<std::size_t>(y) * source.width + x];
    return out;
}

// A picture file's bitmap: Windows bitmap files only; anything else draws nothing.
std::optional<gdi::Bitmap> DecodePicture(const TQRPicture& picture)
{
    const auto& d = picture.Data;
    if (d.size() < 14 + 40 || d[0] != 'B' || d[1] != 'M')
        return std::nullopt;
    const std::uint32_t offBits = d[10] | d[11] << 8 | d[12] << 16 | static_cast<std::uint32_t>(d[13]) << 24;
    if (offBits <= 14 || offBits > d.size())
        return std::nullopt;
    return gdi::decodeDib(d.data() + 14, offBits - 14, d.data() + offBits, d.size() - offBits);
}

void TQRPrintable::Print(int ofsX, int ofsY)
{
    if (!Frame().AnyFrame() || QRPrinter == nullptr)
        return;
    const NativeBox b = boxAt(*this, ofsX, ofsY);
    const gdi::EmfRect r = DeviceRect(*QRPrinter, b.l, b.t, b.l + b.w, b.t + b.h);
    if (drawing(*this))
        DrawFrame(Frame(), QRPrinter->PageCanvas(), r, QRPrinter->YFactor(), QRPrinter->XFactor());
    else if (ExportingTo(ParentReport()))
        ExportFrame(*ParentReport(), Frame(), r, nullptr);
}

// While exporting, a shape or picture goes to the filter at its device corner.
bool TQRPrintable::startGraphic(int ofsX, int ofsY)
{
    if (QRPrinter == nullptr)
        BeginPrinting();
    if (QRPrinter == nullptr)
        return false;
    TCustomBandoriaRep* report = ParentReport();
    if (ExportingTo(report)) {
        const NativeBox b = boxAt(*this, ofsX, ofsY);
        report->ExportFilter->AcceptGraphic(QRPrinter->XPos(b.l), QRPrinter->YPos(b.t), this);
    }
    return drawing(*this);
}

void TQRShape::Print(int ofsX, int ofsY)
{
    if (!IsPrintable())
        return;
    if (!startGraphic(ofsX, ofsY))
        return;
    const pages::TQRPrinter& p = *QRPrinter;
    gdi::TCanvas& c = QRPrinter->PageCanvas();
    c.SetBrush(BrushOf(FBrush));
    c.SetPen(PenOf(FPen));
    const auto [l, t, w, h] = boxAt(*this, ofsX, ofsY);
    const auto line = [&](Native x1, Native y1, Native x2, Native y2) {
        c.MoveTo(p.XPos(x1), p.YPos(y1));
        c.LineTo(p.XPos(x2), p.YPos(y2));
    };
    switch (FShape) {
    case TQRShapeType::qrsRectangle:
        c.Rectangle(p.XPos(l), p.YPos(t), p.XPos(l + w), p.YPos(t + h));
        break;
    case TQRShapeType::qrsCircle:
        c.Ellipse(p.XPos(l), p.YPos(t), p.XPos(l + w), p.YPos(t + h));
        break;
    case TQRShapeType::qrsVertLine:
        line(l + w / 2, t, l + w / 2, t + h);
        break;
    case TQRShapeType::qrsHorLine:
        line(l, t + h / 2, l + w, t + h / 2);
        break;
    case TQRShapeType::qrsTopAndBottom:
        line(l, t, l + w, t);
        line(l, t + h, l + w, t + h);
        break;
    case TQRShapeType::qrsRightAndLeft:
        line(l, t, l, t + h);
        line(l + w, t, l + w, t + h);
        break;
    case TQRShapeType::qrsRoundRect: {
        const int d = static_cast<int>(Round(Width() * static_cast<long double>(RoundFactor)));
        c.RoundRect(p.XPos(l), p.YPos(t), p.XPos(l + w), p.YPos(t + h), d, d);
        break;
    }
    case TQRShapeType::qrsLeftDiagonal:
        line(l + w, t, l, t + h);
        break;
    case TQRShapeType::qrsRightDiagonal:
        line(l, t, l + w, t + h);
        break;
    }
}

void TQRImage::Print(int ofsX, int ofsY)
{
    if (!IsPrintable())
        return;
    if (!startGraphic(ofsX, ofsY)) {
        TQRPrintable::Print(ofsX, ofsY);
        return;
    }
    if (const auto bitmap = DecodePicture(FPicture)) {
        const NativeBox b = boxAt(*this, ofsX, ofsY);
        if (gdi::EmfRecorder* device = QRPrinter->PageCanvas().Device()) {
            // Tag 999 fits the picture into its box as stretching does.
            if (Stretch || Tag == 999)
                device->StretchDraw(DeviceRect(*QRPrinter, b.l, b.t, b.l + b.w, b.t + b.h), *bitmap);
            else if (Width() > 0 && Height() > 0)
                drawUnscaled(*QRPrinter, *device, *this, *bitmap, b);
        }
    }
    TQRPrintable::Print(ofsX, ofsY);
}

void TQRDBImage::Print(int ofsX, int ofsY)
{
    if (!IsPrintable())
        return;
    LoadPicture();
    if (!startGraphic(ofsX, ofsY)) {
        TQRPrintable::Print(ofsX, ofsY);
        return;
    }
    const auto bitmap = DecodePicture(FPicture);
    gdi::EmfRecorder* device = QRPrinter->PageCanvas().Device();
    if (bitmap && device != nullptr && Width() > 0 && Height() > 0) {
        // The fit is in the control's units; the box is native, so it goes by proportion.
        const TQRPictureFit fit = FitDataPicture(*this, bitmap->width, bitmap->height);
        const NativeBox b = boxAt(*this, ofsX, ofsY);
        const auto at = [](Native origin, Native extent, long double part, int whole) {
            return origin + extent * part / whole;
        };
        const Native l = at(b.l, b.w, fit.Left, Width()), t = at(b.t, b.h, fit.Top, Height());
        const Native r = at(b.l, b.w, fit.Left + fit.Width, Width());
        const Native bottom = at(b.t, b.h, fit.Top + fit.Height, Height());
        device->StretchDraw(DeviceRect(*QRPrinter, l, t, r, bottom), *bitmap);
    }
    TQRPrintable::Print(ofsX, ofsY);
}

void TQRHRule::Print(int ofsX, int ofsY)
{
    if (!IsPrintable())
        return;
    if (!startGraphic(ofsX, ofsY))
        return;
    const pages::TQRPrinter& p = *QRPrinter;
    gdi::TCanvas& c = QRPrinter->PageCanvas();
    c.SetPen(PenOf(FPen));
    const auto [l, t, w, h] = boxAt(*this, ofsX, ofsY);
    c.MoveTo(p.XPos(l), p.YPos(t + h / 2));
    c.LineTo(p.XPos(l + w), p.YPos(t + h / 2));
}

} // namespace zt::report
