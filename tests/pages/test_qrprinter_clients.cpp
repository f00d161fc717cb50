// The page recorder and its clients: saved report files, the preview's
// hooks and windows, and the choice of printer.

#include "RecorderFixture.h"

#include "base/QRError.h"

#include <string>

using namespace zt;
using namespace zt::platform::printing;
using namespace zt::pages::test;

TEST_F(RecorderTest, ASavedA4ReportLoadsAsA4SmallPortrait)
{
    const std::string path = tempPath("a4.qrp");
    {
        TQRPrinter r(nullptr);
        run(r, 2);
        r.Save(path);
    }
    pages::SetSavedReportLoaded(false);
    TQRPrinter loaded(nullptr);
    loaded.SetOrientation(TPrinterOrientation::poLandscape);
    loaded.Load(path);
    EXPECT_EQ(loaded.Status(), TQRPrinterStatus::mpFinished);
    EXPECT_EQ(loaded.PageCount(), 2);
    EXPECT_EQ(loaded.PaperSize(), TQRPaperSize::A4Small);
    EXPECT_EQ(loaded.Orientation(), TPrinterOrientation::poPortrait);
    EXPECT_TRUE(loaded.ReportLoaded);
    EXPECT_TRUE(pages::SavedReportLoaded());
    EXPECT_EQ(platform::gdi::enumerateTexts(*loaded.GetPage(2)), std::vector<std::string>{"Seite 2"});
    std::filesystem::remove(path);
}

TEST_F(RecorderTest, ALandscapeSheetLoadsLandscapeAndAnUnknownSheetKeepsThePaper)
{
    printerA().paperCodes->push_back(DMPAPER_USER);
    TQRPrinter landscape(nullptr);
    landscape.SetOrientation(TPrinterOrientation::poLandscape);
    run(landscape, 1);
    platform::TMemoryStream bytes;
    landscape.PageList().SaveToStream(bytes);
    bytes.SetPosition(0);
    TQRPrinter a(nullptr);
    a.LoadFromStream(bytes);
    EXPECT_EQ(a.PaperSize(), TQRPaperSize::A4Small);
    EXPECT_EQ(a.Orientation(), TPrinterOrientation::poLandscape);

    TQRPrinter wide(nullptr);
    wide.SetPaperSize(TQRPaperSize::Custom);
    wide.SetPaperWidth(3000);
    wide.SetPaperLength(1000);
    run(wide, 1);
    platform::TMemoryStream wideBytes;
    wide.PageList().SaveToStream(wideBytes);
    wideBytes.SetPosition(0);
    TQRPrinter b(nullptr);
    b.SetPaperSize(TQRPaperSize::Letter);
    b.LoadFromStream(wideBytes);
    EXPECT_EQ(b.PaperSize(), TQRPaperSize::Letter);
    EXPECT_EQ(b.Orientation(), TPrinterOrientation::poLandscape) << "wider than long";
}

TEST_F(RecorderTest, LoadingAfterARunForgetsTheRunsPages)
{
    const std::string path = tempPath("one.qrp");
    {
        TQRPrinter r(nullptr);
        run(r, 1);
        r.Save(path);
    }
    TQRPrinter r(nullptr);
    r.OnPrintSetup = [](TQRPrinter*) {};
    run(r, 3);
    r.Load(path);
    EXPECT_EQ(r.PageCount(), 1);
    EXPECT_FALSE(r.OnPrintSetup);
    r.Cleanup();
    EXPECT_EQ(r.Status(), TQRPrinterStatus::mpReady);
    EXPECT_EQ(r.PageList().PageCount(), 0);
    EXPECT_EQ(r.GetPage(1), nullptr);
    std::filesystem::remove(path);
}

TEST_F(RecorderTest, ClosingThePreviewTellsTheMasterAndWaitsForIt)
{
    NoticeWindow master;
    auto r = std::make_unique<TQRPrinter>(nullptr);
    TQRPrinter* seen = nullptr;
    master.onMessage = [&](const platform::Message& m) {
        if (m.id == platform::WM_USER + 4) {
            seen = reinterpret_cast<TQRPrinter*>(m.lParam);
            r.reset();  // the report frees the recorder in its handler
        }
    };
    int afterPreview = 0;
    r->AfterPreview = [&](TQRPrinter*) { ++afterPreview; };
    r->SetMaster(&master);
    TQRPrinter* raw = r.get();
    r->SetShowingPreview(true);
    r->ClosePreview(nullptr);
    EXPECT_EQ(seen, raw);
    EXPECT_EQ(r, nullptr);
    EXPECT_EQ(afterPreview, 1);
}

TEST_F(RecorderTest, APreviewClosingDuringARunCancelsIt)
{
    TQRPrinter r(nullptr);
    r.BeginDoc();
    r.SetShowingPreview(true);
    r.SetShowingPreview(false);
    EXPECT_TRUE(r.Cancelled());
    r.EndDoc();
}

TEST_F(RecorderTest, PreviewOpensThroughTheHookOrTheStandardWindow)
{
    NoticeWindow window;
    int opened = 0;
    pages::SetStandardPreviewFactory([&](TQRPrinter*, bool modal) {
        EXPECT_FALSE(modal);
        ++opened;
        return &window;
    });
    TQRPrinter r(nullptr);
    r.Preview();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(r.PreviewControl(), &window);
    int hooked = 0;
    r.OnPreview = [&](TQRPrinter*) { ++hooked; };
    r.Preview();
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(opened, 1);
    pages::SetStandardPreviewFactory(nullptr);
}

TEST_F(RecorderTest, AClientWindowLetsGoOfARecorderThatGoesAway)
{
    struct Client : NoticeWindow, pages::TQRPrinterClient {
        void DetachPrinter(TQRPrinter* p) override { detached = p; }
        TQRPrinter* detached = nullptr;
    } client;
    TQRPrinter* raw;
    {
        TQRPrinter r(nullptr);
        raw = &r;
        r.SetClient(&client);
    }
    EXPECT_EQ(client.detached, raw);
}

TEST_F(RecorderTest, TheReportChoosesTheSharedOrAPrivatePrinter)
{
    auto* rep = makeReport();
    TQRPrinter own(rep);
    EXPECT_NE(&own.SystemPrinter(), &Printer());
    rep->PrinterSettings().UseStandardprinter = true;
    rep->PrinterSettings().MemoryLimit = 1234;
    TQRPrinter shared(rep);
    EXPECT_EQ(&shared.SystemPrinter(), &Printer());
    EXPECT_EQ(shared.PrinterSettings().MemoryLimit, 1234);
    EXPECT_EQ(shared.ParentReport(), rep);
}

TEST_F(RecorderTest, ChoosingAPrinterReadsItsSettings)
{
    driver->Find("Fake B").defaults.dmCopies = 3;
    TQRPrinter r(nullptr);
    r.SetPrinterIndex(1);
    EXPECT_EQ(r.PrinterSettings().Device(), "Fake B");
    EXPECT_EQ(r.Copies(), 3);
    r.SetPrinterIndex(7);
    EXPECT_EQ(r.PrinterSettings().Device(), "Fake A") << "a printer that has gone gives way to the default";
}

TEST_F(RecorderTest, ADirectPrintThatNeverEndsDoesNotKeepTheSharedPrinterBusy)
{
    auto* rep = makeReport();
    rep->PrinterSettings().UseStandardprinter = true;
    {
        TQRPrinter r(rep);
        r.Destination = TQRPrinterDestination::qrdPrinter;
        r.BeginDoc();
        r.NewPage();
    }
    EXPECT_FALSE(Printer().Printing());
    EXPECT_TRUE(driver->LastJob().aborted);
}
