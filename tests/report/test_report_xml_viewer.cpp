// PreviewXML hands the report's preview settings to the registered viewer.

#include "report/QRReport.h"
#include "report/QRXMLViewer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zt::report;

namespace {

TEST(PreviewXML, TheViewerGetsTheReportsPreviewSettingsModalOrNot)
{
    TQRForm form;
    auto* rep = new TBandoriaRep(&form);
    rep->PrevShowThumbs = false;
    rep->PrevShowSearch = true;
    rep->PreviewWidth = 640;
    rep->PreviewHeight = 480;
    rep->PreviewLeft = 12;
    rep->PreviewTop = 34;
    rep->SetZoom(150);
    rep->PrevInitialZoom = TQRZoomState::qrZoom100;
    rep->PreviewInitialState = TWindowState::wsMaximized;
    std::vector<std::string> order;
    rep->BeforePreview = [&](TQRComponent*) { order.push_back("BeforePreview"); };
    std::vector<TQRXMLViewerSettings> shown;
    SetXMLDocumentViewer([&](TCustomBandoriaRep& r, const TQRXMLViewerSettings& s) {
        EXPECT_EQ(&r, rep);
        order.push_back("viewer");
        shown.push_back(s);
    });
    rep->PreviewXML(false);
    rep->PreviewXML(true);
    SetXMLDocumentViewer({});
    rep->PreviewXML(true); // no viewer: only the event
    EXPECT_EQ(order, (std::vector<std::string>{"BeforePreview", "viewer", "BeforePreview", "viewer", "BeforePreview"}));
    ASSERT_EQ(shown.size(), 2u);
    const TQRXMLViewerSettings& s = shown[0];
    EXPECT_FALSE(s.ShowThumbs);
    EXPECT_TRUE(s.ShowSearch);
    EXPECT_TRUE(s.ShowToolbar && s.ShowPrintButton && s.ShowSaveButton && s.ShowLoadButton);
    EXPECT_EQ(s.Width, 640);
    EXPECT_EQ(s.Height, 480);
    EXPECT_EQ(s.Left, 12);
    EXPECT_EQ(s.Top, 34);
    EXPECT_EQ(s.Zoom, 150);
    EXPECT_EQ(s.InitialZoom, TQRZoomState::qrZoom100);
    EXPECT_EQ(s.WindowState, TWindowState::wsMaximized);
    EXPECT_FALSE(s.Modal);
    EXPECT_TRUE(shown[1].Modal);
}

} // namespace
