// The window's settings as its report gives them, or the report's preview
// controller in their place, and the report's hook on the window's events.

#include "preview/TQRStandardPreview.h"

#include "pages/QRPrinter.h"
#include "report/QRPreviewController.h"
#include "report/QRReport.h"

#include <QAction>
#include <QToolButton>

namespace zt::preview {

using namespace zt::pages;

using report::TQRZoomState;

struct TQRStandardPreview::TWindowPlace {
    report::TPrevFormStyle style;
    report::TWindowState state;
    int left, top, width, height;
};

void TQRStandardPreview::takeSettings(TQRPrinter* printer)
{
    FReport = dynamic_cast<report::TCustomBandoriaRep*>(printer->ParentReport());
    if (FReport == nullptr) {
        setWindowState(Qt::WindowMaximized);
        ShowThumbs = ShowSearch = true;
        FOtherZoom = 100;
        InitZoom = TQRZoomState::qrZoomOther;
        FTitle = printer->Title;
        return;
    }
    report::TCustomBandoriaRep& r = *FReport;
    FOtherZoom = r.Zoom();
    FTitle = r.ReportTitle();
    printer->Title = FTitle;
    FReportOrientation = r.Page().Orientation();
    if (r.PreviewController != nullptr)
        takeControllerSettings(*r.PreviewController);
    else
        takeReportSettings(r);
    hook(TStandPrevEventType::spOpen, "");
}

void TQRStandardPreview::takeReportSettings(const report::TCustomBandoriaRep& r)
{
    ShowThumbs = r.PrevShowThumbs;
    ShowSearch = r.PrevShowSearch;
    InitZoom = r.PrevInitialZoom;
    applyPlace({r.PrevFormStyle, r.PreviewInitialState, r.PreviewLeft, r.PreviewTop, r.PreviewWidth,
                 r.PreviewHeight});
}

void TQRStandardPreview::takeControllerSettings(const report::TQRPreviewController& c)
{
    ShowThumbs = c.ShowThumbs;
    ShowSearch = c.ShowFindButton;
    InitZoom = c.PrevInitZoom;
    const std::pair<QAction*, bool> shown[] = {
        {LoadReport, c.ShowLoadReportButton}, {SaveReport, c.ShowSaveReportButton},
        {CancelButton, c.ShowCancelButton},   {Print, c.ShowPrintButton},
        {PrintSetup, c.ShowPrintSetupButton}, {FindButton, c.ShowFindButton},
        {GotoPageButton, c.ShowGotoButton},   {FZoomPickAction, c.ShowZoomPickButton},
        {Zoom100, c.ShowZoom100Button},       {ZoomFit, c.ShowZoomFitButton},
        {ZoomToWidth, c.ShowZoomToWidthButton}, {FirstPage, c.ShowFirstButton},
        {PreviousPage, c.ShowPrevButton},     {nextPage, c.ShowNextButton},
        {LastPage, c.ShowLastButton},         {copybutton, c.ShowCopyButton}};
    for (const auto& [action, visible] : shown)
        action->setVisible(visible);
    if (!c.ShowMinimise || !c.ShowMaximise || !c.ShowSysMenu) {
        // The close box belongs to the system menu, as on the desktop the
        // program came from; the window's own "Schließen" stays.
        Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (c.ShowMinimise)
            flags |= Qt::WindowMinimizeButtonHint;
        if (c.ShowMaximise)
            flags |= Qt::WindowMaximizeButtonHint;
        if (c.ShowSysMenu)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        setWindowFlags(flags);
    }
    applyPlace({c.PrevWindowStyle, c.PrevInitState, c.PrevInitLeft, c.PrevInitTop, c.prevInitWidth,
                 c.prevInitHeight});
}

void TQRStandardPreview::applyPlace(const TWindowPlace& place)
{
    if (place.style == report::TPrevFormStyle::fsStayOnTop)
        setWindowFlag(Qt::WindowStaysOnTopHint);
    if (place.state == report::TWindowState::wsMaximized) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    const int w = place.width > 0 ? place.width : 500;
    const int h = place.height > 0 ? place.height : 500;
    PlaceWindow(QRect(place.left, place.top, w, h));
    if (place.state == report::TWindowState::wsMinimized)
        setWindowState(Qt::WindowMinimized);
}

bool TQRStandardPreview::hook(TStandPrevEventType type, const char* name)
{
    bool handled = false;
    if (FReport != nullptr && FReport->OnStandPrevEvent)
        FReport->OnStandPrevEvent(FReport, type, name, handled);
    return handled;
}

} // namespace zt::preview
