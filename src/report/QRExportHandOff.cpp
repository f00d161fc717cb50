#include "report/QRExportHandOff.h"

#include "pages/QRPrinter.h"
#include "report/QRDraw.h"
#include "report/QRExportFilter.h"
#include "report/QRReport.h"
#include "report/QRBands.h"
#include "report/QRShapes.h"

namespace zt::report {

namespace gdi = platform::gdi;

namespace {

void send(TCustomBandoriaRep& report, TQRShapeType type, int left, int top, int width, int height, TQRPen pen,
          TQRBrush brush)
{
    TQRShape shape(nullptr);
    shape.SetShape(type);
    shape.SetBounds(0, 0, width, height);
    shape.SetPen(pen);
    shape.SetBrush(brush);
    report.ExportFilter->AcceptGraphic(left, top, &shape);
}

} // namespace

bool ExportingTo(const TCustomBandoriaRep* report)
{
    return report != nullptr && report->Exporting && report->ExportFilter != nullptr;
}

void ExportFilledRect(TCustomBandoriaRep& report, const gdi::EmfRect& r, TColor color)
{
    if (!ExportingTo(&report))
        return;
    send(report, TQRShapeType::qrsRectangle, r.left, r.top, r.right - r.left, r.bottom - r.top,
         {color, TPenStyle::psClear, 0}, {color, TBrushStyle::bsSolid});
}

void ExportFrame(TCustomBandoriaRep& report, const TQRFrame& frame, const gdi::EmfRect& r, const TColor* labelColor)
{
    if (!ExportingTo(&report) || !frame.AnyFrame())
        return;
    if (labelColor != nullptr)
        ExportFilledRect(report, r, *labelColor);
    const TQRPrinter* printer = report.QRPrinter;
    const int tl = FrameThickness(frame, printer != nullptr ? printer->XFactor() : 0.37795L);
    const int tt = FrameThickness(frame, printer != nullptr ? printer->YFactor() : 0.37795L);
    const TQRPen pen{frame.Color(), frame.Style(), tl};
    const TQRBrush clear{frame.Color(), TBrushStyle::bsClear};
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (frame.DrawTop() && frame.DrawBottom() && frame.DrawLeft() && frame.DrawRight()) {
        send(report, TQRShapeType::qrsRectangle, r.left, r.top, w, h, pen, clear);
        return;
    }
    // Each line runs through the middle of the bar the page shows.
    if (frame.DrawTop())
        send(report, TQRShapeType::qrsHorLine, r.left, r.top, w, tt, pen, clear);
    if (frame.DrawBottom())
        send(report, TQRShapeType::qrsHorLine, r.left, r.bottom - tt, w, tt, pen, clear);
    if (frame.DrawLeft())
        send(report, TQRShapeType::qrsVertLine, r.left, r.top, tl, h, pen, clear);
    if (frame.DrawRight())
        send(report, TQRShapeType::qrsVertLine, r.right - tl, r.top, tl, h, pen, clear);
}

void ExportBandLine(TCustomBandoriaRep& report, const TQRShape& shape, int x, int top, int bottom)
{
    if (!ExportingTo(&report))
        return;
    const TQRPen pen{shape.Pen().Color, TPenStyle::psSolid, shape.Pen().Width};
    send(report, TQRShapeType::qrsVertLine, x, top, 0, bottom - top, pen, {shape.Brush().Color, TBrushStyle::bsClear});
}

TExportStructure::TExportStructure(TCustomBandoriaRep& report, const TQRCustomBand& band)
{
    if (!ExportingTo(&report))
        return;
    FFilter = report.ExportFilter;
    FFilter->BeginStructure(StructureMarkOf(band));
}

TExportStructure::TExportStructure(TCustomBandoriaRep& report, const TQRControl& printable, bool continued)
{
    if (!ExportingTo(&report))
        return;
    TQRStructureMark mark = StructureMarkOf(printable);
    mark.Continued = continued;
    FFilter = report.ExportFilter;
    FFilter->BeginStructure(mark);
}

TExportStructure::~TExportStructure()
{
    if (FFilter != nullptr)
        FFilter->EndStructure();
}

} // namespace zt::report
