#pragma once
// Drawing helpers of the printables and bands on the page recorder's canvas.

#include "platform/gdi/Canvas.h"
#include "report/QRFrame.h"
#include "report/QRGraphics.h"
#include "base/QRMath.h"

namespace zt::pages {
class TQRPrinter;
}

namespace zt::report {

platform::gdi::CanvasPen PenOf(const TQRPen& pen);
platform::gdi::CanvasBrush BrushOf(const TQRBrush& brush);
platform::gdi::CanvasBrush SolidBrush(TColor color);

// The device rectangle of a native one, through the recorder's positions.
platform::gdi::EmfRect DeviceRect(const pages::TQRPrinter& printer, Native left, Native top, Native right,
                                  Native bottom);

// Fills a device rectangle with a colour.
void FillArea(platform::gdi::TCanvas& canvas, const platform::gdi::EmfRect& r, TColor color);

// Frame thickness in device units for a factor (device units per 0.1 mm).
int FrameThickness(const TQRFrame& frame, long double factor);

// Draws the selected sides of a frame as filled bars inside `r`; fy and fx
// are the vertical and horizontal factors.
void DrawFrame(const TQRFrame& frame, platform::gdi::TCanvas& canvas, const platform::gdi::EmfRect& r,
               long double fy, long double fx);

} // namespace zt::report
