#pragma once
// The XML document viewer a report opens through PreviewXML: the settings it
// takes from the report, and the viewer itself, which a window library
// registers (the engine opens none of its own).

#include "base/QRTypes.h"

#include <functional>

namespace zt::report {

class TCustomBandoriaRep;

struct TQRXMLViewerSettings {
    bool ShowThumbs = true;
    bool ShowSearch = true;
    bool ShowToolbar = true;
    bool ShowPrintButton = true;
    bool ShowSaveButton = true;
    bool ShowLoadButton = true;
    int Width = 500, Height = 500, Top = 0, Left = 0;
    int Zoom = 100;
    TQRZoomState InitialZoom = TQRZoomState::qrZoomToFit;
    TWindowState WindowState = TWindowState::wsNormal;
    bool Modal = false;
};

// What PreviewXML hands the viewer: the report's preview settings.
TQRXMLViewerSettings XMLViewerSettingsOf(const TCustomBandoriaRep& report, bool modal);

// Shows the report; modal: returns once the viewer has closed.
using TQRXMLDocumentViewer = std::function<void(TCustomBandoriaRep& report, const TQRXMLViewerSettings& settings)>;
// Empty: PreviewXML opens nothing.
void SetXMLDocumentViewer(TQRXMLDocumentViewer viewer);

} // namespace zt::report
