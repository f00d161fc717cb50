#pragma once
// Settings a report may give its preview window in place of its own: the
// window's style, place and size, its first zoom, and which buttons and
// frame icons it shows.

#include "base/QRTypes.h"
#include "report/QRComponent.h"

namespace zt::report {

class TQRPreviewController : public TQRComponent {
public:
    explicit TQRPreviewController(TQRComponent* owner) : TQRComponent(owner) {}

    TPrevFormStyle PrevWindowStyle = TPrevFormStyle::fsNormal;
    TWindowState PrevInitState = TWindowState::wsNormal;
    TQRZoomState PrevInitZoom = TQRZoomState::qrZoomToFit;
    int PrevInitTop = 0;
    int PrevInitLeft = 0;
    int prevInitWidth = 800;
    int prevInitHeight = 640;

    bool ShowThumbs = true;
    bool ShowFindButton = true;
    bool ShowLoadReportButton = true;
    bool ShowSaveReportButton = true;
    bool ShowCancelButton = true;
    bool ShowPrintButton = true;
    bool ShowPrintSetupButton = true;
    bool ShowGotoButton = true;
    bool ShowZoomPickButton = true;
    bool ShowZoom100Button = true;
    bool ShowZoomFitButton = true;
    bool ShowZoomToWidthButton = true;
    bool ShowFirstButton = true;
    bool ShowPrevButton = true;
    bool ShowNextButton = true;
    bool ShowLastButton = true;
    // Hides the page-copy button as the other switches hide theirs.
    bool ShowCopyButton = true;
    bool ShowMinimise = true;
    bool ShowMaximise = true;
    bool ShowSysMenu = true;

    // Part of the definition; the standard window takes the report's own.
    TPrevSaveType PrevDefaultSaveType = TPrevSaveType::stPDF;
    int PagesInPreview = 0;
};

} // namespace zt::report
