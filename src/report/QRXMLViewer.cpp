// PreviewXML: the report's preview settings handed to the registered viewer.

#include "report/QRXMLViewer.h"

#include "report/QRReport.h"

namespace zt::report {

namespace {

TQRXMLDocumentViewer& viewer()
{
    static TQRXMLDocumentViewer v;
    return v;
}

} // namespace

void SetXMLDocumentViewer(TQRXMLDocumentViewer v)
{
    viewer() = std::move(v);
}

TQRXMLViewerSettings XMLViewerSettingsOf(const TCustomBandoriaRep& report, bool modal)
{
    TQRXMLViewerSettings s;
    s.ShowThumbs = report.PrevShowThumbs;
    s.ShowSearch = report.PrevShowSearch;
    s.Width = report.PreviewWidth;
    s.Height = report.PreviewHeight;
    s.Top = report.PreviewTop;
    s.Left = report.PreviewLeft;
    s.Zoom = report.Zoom();
    s.InitialZoom = report.PrevInitialZoom;
    s.WindowState = report.PreviewInitialState;
    s.Modal = modal;
    return s;
}

void TCustomBandoriaRep::PreviewXML(bool modal)
{
    if (BeforePreview)
        BeforePreview(this);
    if (viewer())
        viewer()(*this, XMLViewerSettingsOf(*this, modal));
}

} // namespace zt::report
