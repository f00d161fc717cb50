#include "report/QRDraw.h"

#include "pages/QRPrinter.h"

namespace zt::report {

namespace gdi = platform::gdi;

platform::gdi::CanvasPen PenOf(const TQRPen& pen)
{
    // The pen styles keep the platform's numbering.
    return {pen.Color, static_cast<std::uint32_t>(pen.Style), pen.Width};
}

platform::gdi::CanvasBrush BrushOf(const TQRBrush& brush)
{
    switch (brush.Style) {
    case TBrushStyle::bsSolid:
        return {brush.Color, gdi::BS_SOLID, 0};
    case TBrushStyle::bsClear:
        return {brush.Color, gdi::BS_NULL, 0};
    default:
        return {brush.Color, gdi::BS_HATCHED, static_cast<std::uint32_t>(brush.Style) - 2};
    }
}

platform::gdi::CanvasBrush SolidBrush(TColor color)
{
    return {color, gdi::BS_SOLID, 0};
}

platform::gdi::EmfRect DeviceRect(const pages::TQRPrinter& printer, Native left, Native top, Native right,
                                  Native bottom)
{
    return {printer.XPos(left), printer.YPos(top), printer.XPos(right), printer.YPos(bottom)};
}

void FillArea(platform::gdi::TCanvas& canvas, const platform::gdi::EmfRect& r, TColor color)
{
    canvas.SetBrush(SolidBrush(color));
    canvas.FillRect(r);
}

int FrameThickness(const TQRFrame& frame, long double factor)
{
    if (frame.Width() == -1)
        return 1;
    int t = static_cast<int>(Round(factor / 72.0L * 254.0L * frame.Width()));
    if (t < 1 && frame.Width() > 0)
        t = 1;
    return t;
}

void DrawFrame(const TQRFrame& frame, platform::gdi::TCanvas& canvas, const platform::gdi::EmfRect& r,
               long double fy, long double fx)
{
    if (!frame.AnyFrame())
        return;
    const int tl = FrameThickness(frame, fx);
    const int tt = FrameThickness(frame, fy);
    canvas.SetBrush(SolidBrush(frame.Color()));
    canvas.SetPen({frame.Color(), static_cast<std::uint32_t>(frame.Style()), 1});
    if (frame.DrawTop())
        canvas.FillRect({r.left, r.top, r.right, r.top + tt});
    if (frame.DrawBottom())
        canvas.FillRect({r.left, r.bottom - tt, r.right, r.bottom});
    if (frame.DrawLeft())
        canvas.FillRect({r.left, r.top, r.left + tl, r.bottom});
    if (frame.DrawRight())
        canvas.FillRect({r.right - tl, r.top, r.right, r.bottom});
}

} // namespace zt::report
