// The page view's 100 % zoom state, its hyperlink members (empty: pages
// carry no links), the controller's copy-button switch and the report's
// XML document viewer.

#include "PreviewFixture.h"

#include "export/QRExportLibrary.h"

#include "preview/TQRStandardPreview.h"
#include "preview/XMLDocumentViewer.h"
#include "platform/qt/QtMessageQueue.h"
#include "report/QRPreviewController.h"
#include "report/QRXMLViewer.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <filesystem>

#include <unistd.h>

using namespace zt;
using zt::testing::Preview;
using report::TQRZoomState;

namespace {

TEST_F(Preview, AnInitialZoomOf100ShowsThePageAt100AndKeepsItWhenResized)
{
    rep->SetZoom(80);
    rep->PrevInitialZoom = TQRZoomState::qrZoom100;
    preview::TQRStandardPreview& w = open(2);
    EXPECT_EQ(w.QRPreview->Zoom(), 100);
    EXPECT_EQ(w.QRPreview->ZoomState(), TQRZoomState::qrZoom100);
    EXPECT_TRUE(w.Zoom100->isChecked());
    w.resize(600, 500);
    QApplication::processEvents();
    EXPECT_EQ(w.QRPreview->Zoom(), 100);
    EXPECT_EQ(w.PanelText(2), "100%");
}

TEST_F(Preview, AnyOtherInitialZoomTakesTheReportsZoom)
{
    rep->SetZoom(80);
    rep->PrevInitialZoom = TQRZoomState::qrZoomOther;
    preview::TQRStandardPreview& w = open(1);
    EXPECT_EQ(w.QRPreview->Zoom(), 80);
    EXPECT_EQ(w.QRPreview->ZoomState(), TQRZoomState::qrZoomOther);
    EXPECT_TRUE(w.Zoom100->isChecked());
}

TEST_F(Preview, TheZoom100ButtonSelectsThe100State)
{
    preview::TQRStandardPreview& w = open(1);
    ASSERT_EQ(w.QRPreview->ZoomState(), TQRZoomState::qrZoomToFit);
    w.Zoom100Click();
    EXPECT_EQ(w.QRPreview->Zoom(), 100);
    EXPECT_EQ(w.QRPreview->ZoomState(), TQRZoomState::qrZoom100);
    w.QRPreview->resize(300, 300);
    EXPECT_EQ(w.QRPreview->Zoom(), 100);
    w.ZoomFitClick();
    EXPECT_EQ(w.QRPreview->ZoomState(), TQRZoomState::qrZoomToFit);
}

TEST_F(Preview, PagesCarryNoLinksSoAClickFollowsNone)
{
    preview::TQRStandardPreview& w = open(2);
    std::vector<std::string> followed;
    w.QRPreview->OnHyperlink = [&](preview::TQRPreview*, const std::string& link) { followed.push_back(link); };
    preview::TQRPreviewImage* image = w.QRPreview->PreviewImage();
    ASSERT_TRUE(image->HasPage());
    EXPECT_TRUE(image->Hyperlinks().empty());
    EXPECT_FALSE(image->IsLink());
    EXPECT_EQ(image->LastLink(), "");
    QTest::mouseMove(image, QPoint(40, 40));
    QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(image->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(followed.empty());
    w.SelectPage(2);
    EXPECT_TRUE(image->Hyperlinks().empty());
}

TEST_F(Preview, TheControllersCopySwitchHidesTheCopyButton)
{
    auto* controller = new report::TQRPreviewController(&form);
    EXPECT_TRUE(controller->ShowCopyButton);
    rep->PreviewController = controller;
    preview::TQRStandardPreview& shown = open(1);
    shown.show();
    EXPECT_TRUE(shown.copybutton->isVisible());
    delete window;
    window = nullptr;
    controller->ShowCopyButton = false;
    preview::TQRStandardPreview& hidden = open(1);
    EXPECT_FALSE(hidden.copybutton->isVisible());
    EXPECT_TRUE(hidden.Print->isVisible());
}

class XMLViewer : public Preview {
protected:
    XMLViewer() { preview::RegisterXMLDocumentViewer(); }
    ~XMLViewer() override
    {
        for (preview::TQRStandardPreview* p : preview::OpenPreviews())
            delete p;
        report::SetXMLDocumentViewer({});
    }
    preview::TQRStandardPreview* viewer()
    {
        for (preview::TQRStandardPreview* p : preview::OpenPreviews())
            if (p->objectName() == "QRXMLDocumentViewer")
                return p;
        return nullptr;
    }
};

TEST_F(XMLViewer, ItShowsTheReportWithTheReportsOwnPreviewSettings)
{
    records = 3;
    int before = 0;
    rep->BeforePreview = [&](report::TQRComponent*) { ++before; };
    rep->PrevShowThumbs = false;
    rep->PrevShowSearch = false;
    rep->PrevInitialZoom = TQRZoomState::qrZoom100;
    // A controller speaks for the standard preview, not for this viewer.
    auto* controller = new report::TQRPreviewController(&form);
    controller->ShowThumbs = true;
    rep->PreviewController = controller;
    rep->PreviewXML(false);
    preview::TQRStandardPreview* w = viewer();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(before, 1);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_FALSE(w->ShowThumbs);
    EXPECT_FALSE(w->Tabs->isVisible());
    EXPECT_EQ(w->QRPreview->Zoom(), 100);
    EXPECT_EQ(w->PanelText(1), "Seite 1 von 3");
    EXPECT_TRUE(w->Print->isVisible() && w->SaveReport->isVisible() && w->LoadReport->isVisible());
    EXPECT_EQ(rep->PreviewController, controller);
}

TEST_F(XMLViewer, ModalItReturnsOnceTheViewerHasClosed)
{
    records = 1;
    // The program's queue: waiting for it lets Qt's events run.
    platform::qt::QtMessageQueue queue;
    platform::setMessageQueue(&queue);
    bool wasModal = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (preview::TQRStandardPreview* w = viewer()) {
            wasModal = w->isModal();
            w->close();
        }
    });
    closer.start(10);
    rep->PreviewXML(true);
    closer.stop();
    platform::setMessageQueue(nullptr);
    EXPECT_TRUE(wasModal);
    QApplication::processEvents();
    EXPECT_EQ(viewer(), nullptr);
}

TEST_F(Preview, AJapaneseFontStopsThePdfWithItsReasonInTheErrorBox)
{
    exporting::RegisterExportFilters();
    report::TQRFont f = label->Font();
    f.Charset = 128;
    label->SetFont(f);
    preview::TQRStandardPreview& w = open(1);
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zt-preview-charset-" + std::to_string(::getpid()) + ".pdf");
    dialogs.answerSave(file.string(), 1);
    dialogs.answerMessage(platform::mrOk);
    record = 0; // the export runs the report again
    w.SaveReportClick();
    const auto boxes = dialogs.calls(platform::DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().type, platform::TMsgDlgType::mtError);
    EXPECT_NE(boxes.front().text.find("japanischen Zeichensatz (Codepage 932)"), std::string::npos)
        << boxes.front().text;
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
