// The report's operations and the notices between report and recorder:
// Print on the fake driver, Preview waiting for its window, the print and
// preview-closed notices, the background way.

#include "pages/PrinterTestSupport.h"
#include "pages/QRPreviewInterface.h"
#include "pages/QRPrinter.h"
#include "report/QRBands.h"
#include "report/QRLabels.h"
#include "report/QRReport.h"
#include "support/PageContent.h"

#include <gtest/gtest.h>

using namespace zt;
using namespace zt::report;

namespace {

// A preview window that shows at once and closes when told to.
class FakePreviewWindow : public platform::MessageTarget {
public:
    explicit FakePreviewWindow(pages::TQRPrinter* printer) : printer_(printer) { printer_->SetShowingPreview(true); }
    std::intptr_t handleMessage(const platform::Message&) override
    {
        printer_->ClosePreview(this);
        return 0;
    }

private:
    pages::TQRPrinter* printer_;
};

struct FakePreviews {
    std::vector<std::unique_ptr<FakePreviewWindow>> windows;
    int pagesWhenShown = -1;
};

class FakePreviewInterface : public pages::TQRPreviewInterface {
public:
    explicit FakePreviewInterface(FakePreviews& previews) : previews_(previews) {}
    platform::MessageTarget* Show(pages::TQRPrinter* printer) override
    {
        previews_.windows.push_back(std::make_unique<FakePreviewWindow>(printer));
        previews_.pagesWhenShown = printer->PageCount();
        // The user closes the window once the pages are there.
        platform::messageQueue().post(previews_.windows.back()->handle(), {platform::WM_USER + 99, 0, 0});
        return previews_.windows.back().get();
    }

private:
    FakePreviews& previews_;
};

class ReportOps : public pages::test::PrinterTest {
protected:
    void SetUp() override
    {
        PrinterTest::SetUp();
        SetUSMeasureQuery([] { return false; });
        rep->ShowProgress = false;
        TQRCustomBand* detail = rep->CreateBand(rbDetail);
        detail->Size().SetHeight(10);
        auto* l = new TQRLabel(&form);
        l->SetParent(detail);
        l->SetCaption("detail");
        pages::SetPreviewInterfaceClass([this] { return std::make_unique<FakePreviewInterface>(previews); });
    }
    void TearDown() override
    {
        pages::SetPreviewInterfaceClass(nullptr);
        SetUSMeasureQuery({});
        PrinterTest::TearDown();
    }

    TQRForm form;
    TBandoriaRep* rep = new TBandoriaRep(&form);
    FakePreviews previews;
};

TEST_F(ReportOps, PrintDrawsOnThePrinterAndRestoresThePreparedRecorder)
{
    rep->Prepare();
    pages::TQRPrinter* prepared = rep->QRPrinter;
    rep->PrinterSettings().FirstPage = 1;
    rep->PrinterSettings().LastPage = 1;
    rep->Print();
    ASSERT_EQ(driver->Jobs().size(), 1u);
    EXPECT_TRUE(driver->LastJob().ended);
    EXPECT_NE(zt::testing::readPageContent(driver->LastJob().pages.at(0).drawing).find("detail"), nullptr);
    EXPECT_EQ(rep->QRPrinter, prepared);
    EXPECT_EQ(rep->PrinterSettings().FirstPage, 0);
    EXPECT_EQ(rep->PrinterSettings().LastPage, 0);
}

TEST_F(ReportOps, PrintShowsProgressWhenAsked)
{
    std::vector<std::uintptr_t> log;
    int shown = 0;
    pages::SetProgressFormFactory([&](pages::TQRPrinter*) {
        ++shown;
        return std::make_unique<pages::test::TestProgressWindow>(log);
    });
    rep->ShowProgress = true;
    rep->Print();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(driver->Jobs().size(), 1u);
}

TEST_F(ReportOps, PreviewOpensBeforeThePagesAndReturnsWhenItsWindowCloses)
{
    int afterPreview = 0;
    rep->AfterPreview = [&](TQRComponent*) { ++afterPreview; };
    rep->Preview();
    ASSERT_EQ(previews.windows.size(), 1u);
    EXPECT_EQ(previews.pagesWhenShown, 0);
    // The closed preview's recorder has gone.
    EXPECT_EQ(rep->QRPrinter, nullptr);
    EXPECT_EQ(afterPreview, 1);
    EXPECT_TRUE(rep->Available);
}

TEST_F(ReportOps, ThePrintRequestNoticePrints)
{
    platform::messageQueue().send(rep->Window().handle(), {pages::kPrintRequest, 0, 0});
    EXPECT_EQ(driver->Jobs().size(), 1u);
}

TEST_F(ReportOps, APreviewClosedDuringTheRunCancelsIt)
{
    TQRCustomBand* detail = rep->FindBand(rbDetail);
    int n = 0;
    rep->OnNeedData = [&](TQRComponent*, bool& more) { more = ++n < 1000; };
    detail->AfterPrint = [&](TQRCustomBand*, bool) {
        if (n == 5)
            platform::messageQueue().send(rep->Window().handle(),
                                          {pages::kPreviewClosedNotice, 0, reinterpret_cast<std::intptr_t>(rep->QRPrinter)});
    };
    rep->Prepare();
    EXPECT_TRUE(rep->Cancelled);
    EXPECT_LT(n, 10);
    EXPECT_TRUE(rep->Available);
}

TEST_F(ReportOps, PreviewModelessBuildsThePagesOnAWorkerThread)
{
    rep->PreviewModeless();
    // The window opened at once; the run finishes on its own.
    for (int i = 0; i < 2000 && !rep->Available; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(rep->Available);
    EXPECT_EQ(previews.windows.size(), 1u);
    ASSERT_NE(rep->QRPrinter, nullptr);
    EXPECT_EQ(rep->QRPrinter->PageCount(), 1);
}

TEST_F(ReportOps, CancelOutsideARunDoesNothing)
{
    rep->Cancel();
    EXPECT_FALSE(rep->Cancelled);
    rep->Prepare();
    EXPECT_EQ(rep->QRPrinter->PageCount(), 1);
}

} // namespace
