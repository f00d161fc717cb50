// The page recorder: conversions, the document cycle for recorded pages and
// for direct printing with a page range, notices, playback to the printer.

#include "RecorderFixture.h"

#include "base/QRError.h"

#include <string>

using namespace zt;
using namespace zt::platform::printing;
using namespace zt::pages::test;

TEST_F(RecorderTest, ConversionsSubtractTheWasteAndRoundHalvesToEven)
{
    printerA().dpiX = printerA().dpiY = 254;  // one pixel per 0.1 mm
    printerA().offsetX = 10;
    printerA().offsetY = 20;
    TQRPrinter r(nullptr);
    r.Destination = TQRPrinterDestination::qrdPrinter;
    r.BeginDoc();
    EXPECT_EQ(r.LeftWaste(), 10);
    EXPECT_EQ(r.TopWaste(), 20);
    EXPECT_EQ(r.XPos(12.5L), 2);
    EXPECT_EQ(r.XPos(13.5L), 4);
    EXPECT_EQ(r.YPos(20.5L), 0);
    EXPECT_EQ(r.YPos(21.5L), 2);
    EXPECT_EQ(r.XSize(2.5L), 2);
    EXPECT_EQ(r.YSize(3.5L), 4);
    r.AbortDoc();
}

TEST_F(RecorderTest, RecordedPagesAreMeasuredFromThePapersEdgeAtScreenResolution)
{
    TQRPrinter r(nullptr);
    EXPECT_EQ(r.LeftWaste(), 42) << "the printer's offsets until a recording run begins";
    r.BeginDoc();
    EXPECT_EQ(r.LeftWaste(), 0);
    EXPECT_EQ(r.TopWaste(), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(r.XFactor()), 96.0 / 254.0);
    r.NewPage();
    EXPECT_EQ(r.XPos(2100), 794);
    r.EndDoc();
    const auto page = r.GetPage(1);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Width(), 794);
    EXPECT_EQ(page->Height(), 1123);
}

TEST_F(RecorderTest, PaperExtentsFollowTheOrientation)
{
    TQRPrinter r(nullptr);
    EXPECT_EQ(r.PaperWidthValue(), 2100);
    EXPECT_EQ(r.PaperLengthValue(), 2970);
    r.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_EQ(r.PaperWidthValue(), 2970);
    EXPECT_EQ(r.PaperLengthValue(), 2100);
    r.SetPaperSize(TQRPaperSize::Default);
    r.SetPaperWidth(1000);
    r.SetPaperLength(1500);
    EXPECT_EQ(r.PaperWidthValue(), 1500) << "Default uses the settings' extent";
}

TEST_F(RecorderTest, ARunThatBeginsNoPageStillAnnouncesOnceAndWritesAHeaderOnlyStore)
{
    NoticeWindow client;
    TQRPrinter r(nullptr);
    r.SetClient(&client);
    r.BeginDoc();
    r.EndDoc();
    process();
    EXPECT_EQ(r.Status(), TQRPrinterStatus::mpFinished);
    EXPECT_EQ(r.AvailablePages(), 1);
    EXPECT_EQ(client.values(kAvailable), std::vector<std::uintptr_t>{1});
    ASSERT_NE(r.PageList().Stream(), nullptr);
    EXPECT_EQ(r.PageList().Stream()->Size(), 120);
    EXPECT_EQ(r.GetPage(1), nullptr);
}

TEST_F(RecorderTest, EveryCompletedPageIsAnnouncedAndStored)
{
    NoticeWindow client;
    TQRPrinter r(nullptr);
    r.SetClient(&client);
    r.BeginDoc();
    r.NewPage();
    r.NewPage();
    EXPECT_NE(r.GetPage(1), nullptr);
    EXPECT_EQ(r.GetPage(2), nullptr) << "page 2 is still being drawn";
    r.NewPage();
    r.EndDoc();
    process();
    EXPECT_EQ(client.values(kAvailable), (std::vector<std::uintptr_t>{1, 2, 3}));
    EXPECT_EQ(r.PageList().PageCount(), 3);
    EXPECT_EQ(r.PageCount(), 3);
}

TEST_F(RecorderTest, NoticesToAClientThatIsGoneAreDropped)
{
    TQRPrinter r(nullptr);
    {
        NoticeWindow client;
        r.SetClient(&client);
    }
    EXPECT_EQ(r.Client(), nullptr);
    run(r, 2);
    r.SetProgress(50);
    EXPECT_EQ(platform::messageQueue().pending(), 0u);
}

TEST_F(RecorderTest, TheDocumentCycleIsGuarded)
{
    TQRPrinter r(nullptr);
    try {
        r.NewPage();
        FAIL() << "NewPage before BeginDoc";
    } catch (const report::EQRError& e) {
        EXPECT_STREQ(e.what(), "Ungültiger Aufruf vonNewPage");
    }
    r.BeginDoc();
    try {
        r.BeginDoc();
        FAIL() << "BeginDoc while busy";
    } catch (const report::EQRError& e) {
        EXPECT_STREQ(e.what(), "QRPrinter nicht bereit");
    }
    EXPECT_EQ(r.Status(), TQRPrinterStatus::mpBusy);
    r.EndDoc();
    r.EndDoc();  // only once
    EXPECT_EQ(r.AvailablePages(), 1);
}

TEST_F(RecorderTest, AbortKeepsTheOpenPageButAnnouncesNothing)
{
    NoticeWindow client;
    TQRPrinter r(nullptr);
    r.SetClient(&client);
    r.BeginDoc();
    r.NewPage();
    r.AbortDoc();
    process();
    EXPECT_EQ(r.Status(), TQRPrinterStatus::mpFinished);
    EXPECT_EQ(r.PageList().PageCount(), 1);
    EXPECT_TRUE(client.values(kAvailable).empty());
}

TEST_F(RecorderTest, ADirectPrintOfARangeLaysOutTheOtherPagesOnScratchPages)
{
    TQRPrinter r(nullptr);
    r.Destination = TQRPrinterDestination::qrdPrinter;
    r.Title = "Kurzmitteilung";
    r.FirstPage = 2;
    r.LastPage = 3;
    run(r, 5);
    ASSERT_EQ(driver->Jobs().size(), 1u);
    const FakeJob& job = driver->LastJob();
    EXPECT_TRUE(job.ended);
    EXPECT_EQ(job.title, "Kurzmitteilung");
    ASSERT_EQ(job.pages.size(), 2u) << "no blank page after the last one";
    EXPECT_EQ(textsOf(job.pages[0]), std::vector<std::string>{"Seite 2"});
    EXPECT_EQ(textsOf(job.pages[1]), std::vector<std::string>{"Seite 3"});
    EXPECT_EQ(r.AvailablePages(), 5);
    EXPECT_EQ(r.PageCount(), 5);
}

TEST_F(RecorderTest, ADirectPrintDrawsAtThePrintersResolutionFromItsPrintableCorner)
{
    TQRPrinter r(nullptr);
    r.Destination = TQRPrinterDestination::qrdPrinter;
    r.BeginDoc();
    r.NewPage();
    EXPECT_DOUBLE_EQ(static_cast<double>(r.XFactor()), 600.0 / 254.0);
    EXPECT_EQ(r.XPos(42), 0) << "the left offset is the device origin";
    r.EndDoc();
    EXPECT_EQ(driver->LastJob().pages.size(), 1u);
    EXPECT_EQ(driver->LastJob().pages[0].drawing.Header().deviceCx, 4961 - 200);
}

TEST_F(RecorderTest, ARangeBeyondTheReportPrintsNothing)
{
    TQRPrinter r(nullptr);
    r.Destination = TQRPrinterDestination::qrdPrinter;
    r.FirstPage = 7;
    run(r, 5);
    EXPECT_TRUE(driver->Jobs().empty());
}

TEST_F(RecorderTest, APrinterOfTwentyFiveDotsPerInchFallsBackToScreenFactors)
{
    printerA().dpiX = printerA().dpiY = 25;
    TQRPrinter r(nullptr);
    r.Destination = TQRPrinterDestination::qrdPrinter;
    r.BeginDoc();
    EXPECT_EQ(r.XFactor(), 0.37795L);
    EXPECT_EQ(r.YFactor(), 0.37795L);
    r.NewPage();
    EXPECT_EQ(r.YFactor(), 1.0L);
    EXPECT_EQ(r.XFactor(), 25.0L / 254.0L);
    r.EndDoc();
}

TEST_F(RecorderTest, ADirectPrintAppliesTheSettingsToTheJob)
{
    TQRPrinter r(nullptr);
    r.Destination = TQRPrinterDestination::qrdPrinter;
    r.SetCopies(2);
    r.SetDuplex(true);
    // The driver's own code was read as the extended duplex code; the
    // report's hand-over clears it before a run.
    r.PrinterSettings().ExtendedDuplex = 0;
    run(r, 1);
    EXPECT_EQ(driver->LastJob().mode.dmCopies, 2);
    EXPECT_EQ(driver->LastJob().mode.dmDuplex, DMDUP_HORIZONTAL);
    EXPECT_EQ(driver->LastJob().printer, "Fake A");
}

TEST_F(RecorderTest, PlaybackReportsProgressAndPlacesTheWholeSheet)
{
    std::vector<std::uintptr_t> progress;
    pages::SetProgressFormFactory([&](TQRPrinter*) {
        return std::make_unique<pages::test::TestProgressWindow>(progress);
    });
    auto* rep = makeReport();
    int afterPrint = 0;
    rep->AfterPrint = [&](report::TQRComponent*) { ++afterPrint; };
    rep->PrinterSettings().FirstPage = 3;
    TQRPrinter r(rep);
    run(r, 5);
    r.ReportLoaded = true;
    r.FirstPage = 3;
    r.LastPage = 5;
    r.Print();
    process();
    EXPECT_EQ(progress, (std::vector<std::uintptr_t>{33, 67, 100}));
    const FakeJob& job = driver->LastJob();
    EXPECT_TRUE(job.ended);
    ASSERT_EQ(job.pages.size(), 3u);
    EXPECT_EQ(textsOf(job.pages[0]), std::vector<std::string>{"Seite 3"});
    ASSERT_EQ(job.pages[2].sheets.size(), 1u);
    EXPECT_EQ(job.pages[2].sheets[0].dest, (platform::gdi::EmfRect{-99, -120, 4861, 6895}));
    EXPECT_EQ(r.FirstPage, 0);
    EXPECT_EQ(r.LastPage, 0);
    EXPECT_EQ(rep->PrinterSettings().FirstPage, 0);
    EXPECT_EQ(afterPrint, 1);
}

TEST_F(RecorderTest, WithoutAParentReportTheSheetFillsThePrintablePage)
{
    TQRPrinter r(nullptr);
    run(r, 1);
    r.Print();
    ASSERT_EQ(driver->LastJob().pages.size(), 1u);
    EXPECT_EQ(driver->LastJob().pages[0].sheets.at(0).dest, (platform::gdi::EmfRect{0, 0, 4761, 6776}));
}

TEST_F(RecorderTest, CancellingDuringPlaybackStopsAfterThePageInHand)
{
    std::vector<std::uintptr_t> progress;
    TQRPrinter* recorder = nullptr;
    bool cancelOnce = true;
    pages::SetProgressFormFactory([&](TQRPrinter*) {
        auto w = std::make_unique<pages::test::TestProgressWindow>(progress);
        w->onProgress = [&](std::uintptr_t value) {
            // The progress of page 1 arrives while page 2 is in hand.
            if (value == 25 && cancelOnce) {
                cancelOnce = false;
                recorder->Cancel();
            }
        };
        return w;
    });
    TQRPrinter r(makeReport());
    recorder = &r;
    run(r, 4);
    r.ReportLoaded = true;
    r.Print();
    const FakeJob& job = driver->LastJob();
    EXPECT_TRUE(job.aborted);
    EXPECT_FALSE(job.ended);
    EXPECT_EQ(job.pages.size(), 2u) << "page 2 was in hand when the cancel arrived";
    r.Print();
    EXPECT_TRUE(driver->LastJob().ended) << "an earlier cancel does not cut the next playback short";
    EXPECT_EQ(driver->LastJob().pages.size(), 4u);
}

TEST_F(RecorderTest, ARangeReachingPastTheEndPrintsNoBlankSheets)
{
    TQRPrinter r(nullptr);
    run(r, 5);
    r.FirstPage = 4;
    r.LastPage = 9;
    r.Print();
    EXPECT_EQ(driver->LastJob().pages.size(), 2u);
}

TEST_F(RecorderTest, ALiveReportIsAskedToPrintItselfAgain)
{
    NoticeWindow master;
    TQRPrinter r(nullptr);
    r.SetMaster(&master);
    run(r, 1);
    r.Print();
    process();
    EXPECT_EQ(master.values(platform::WM_USER + 2).size(), 1u);
    EXPECT_TRUE(driver->Jobs().empty());
    r.PrinterSettings().PrintMetafile = true;
    r.Print();
    EXPECT_EQ(driver->Jobs().size(), 1u) << "PrintMetafile plays the pages instead";
}

TEST_F(RecorderTest, PrintAndSaveActOnlyOnAFinishedRun)
{
    const std::string path = tempPath("busy.qrp");
    std::filesystem::remove(path);
    TQRPrinter r(nullptr);
    r.BeginDoc();
    r.NewPage();
    r.Save(path);
    r.Print();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(driver->Jobs().empty());
    r.EndDoc();
}

TEST_F(RecorderTest, WithoutPrintersRecordingStillWorksAndPrintDoesNothing)
{
    setPrinterDriver(nullptr);
    TQRPrinter r(nullptr);
    EXPECT_FALSE(r.PrinterOK());
    EXPECT_EQ(r.PaperSize(), TQRPaperSize::A4);
    run(r, 2);
    EXPECT_EQ(r.GetPage(1)->Width(), 794);
    r.Print();
    r.SetPrinterIndex(0);
    EXPECT_EQ(r.PrinterIndex(), -1);
}
