#pragma once
// What a report run hands to the export filter besides text: filled
// rectangles (page, band and label backgrounds), frames as shapes, and the
// vertical rules of shapes tagged 1000. Each goes as a temporary shape
// control sized in screen pixels, at its device position.

#include "platform/gdi/Metafile.h"
#include "report/QRFrame.h"
#include "report/QRGraphics.h"
#include "report/QRStructure.h"

namespace zt::report {

class TCustomBandoriaRep;
class TQRCustomBand;
class TQRExportFilter;
class TQRShape;

// Whether the report is exporting to a filter right now.
bool ExportingTo(const TCustomBandoriaRep* report);

// A rectangle filled with `color`, without outline.
void ExportFilledRect(TCustomBandoriaRep& report, const platform::gdi::EmfRect& r, TColor color);

// The frame on a device rectangle: first the label's background when
// `labelColor` is given, then one outline with all four sides, else one
// line per side (top, bottom, left, right).
void ExportFrame(TCustomBandoriaRep& report, const TQRFrame& frame, const platform::gdi::EmfRect& r,
                 const TColor* labelColor);

// A band-high vertical rule of `shape` at device x, from top to bottom.
void ExportBandLine(TCustomBandoriaRep& report, const TQRShape& shape, int x, int top, int bottom);

// The structure of a band or printable around its output while the report
// exports: begun when made, ended when it goes. Nothing while not exporting.
class TExportStructure {
public:
    TExportStructure(TCustomBandoriaRep& report, const TQRCustomBand& band);
    // `continued`: the printable goes on printing after a page break.
    TExportStructure(TCustomBandoriaRep& report, const TQRControl& printable, bool continued);
    ~TExportStructure();
    TExportStructure(const TExportStructure&) = delete;
    TExportStructure& operator=(const TExportStructure&) = delete;

private:
    TQRExportFilter* FFilter = nullptr;
};

} // namespace zt::report
