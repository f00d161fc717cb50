// The engine's print dialog on a scripted system dialog, the report's printer
// setup, the preview's printer setup and the hand-over of a report's
// settings to its recorder.

#include "PrinterTestSupport.h"

#include "pages/QRPrinter.h"
#include "report/QRPage.h"
#include "report/QRPrintDialog.h"
#include "report/QRPrinterSetup.h"
#include "report/QRReport.h"

using namespace zt;
using namespace zt::platform::printing;
using report::TPrintRange;
using report::TQRPrintDialog;
using pages::TQRPrinter;
using report::TPrinterOrientation;
using report::TQRBin;
using report::TQRPaperSize;

namespace {

class SetupTest : public pages::test::PrinterTest {
protected:
    void SetUp() override
    {
        PrinterTest::SetUp();
        report::SetUSMeasureQuery([] { return false; });
        rep = new report::TBandoriaRep(&form);
        rep->Page().SetPaperSize(TQRPaperSize::A4);
    }
    void TearDown() override
    {
        report::SetUSMeasureQuery({});
        PrinterTest::TearDown();
    }
    // A finished recorder of the report with `pages` pages.
    std::unique_ptr<TQRPrinter> recorded(int pages)
    {
        auto r = std::make_unique<TQRPrinter>(rep);
        r->BeginDoc();
        for (int i = 0; i < pages; ++i)
            r->NewPage();
        r->EndDoc();
        r->ReportLoaded = true;
        rep->QRPrinter = r.get();
        return r;
    }

    report::TQRForm form;
    report::TBandoriaRep* rep = nullptr;
};

} // namespace

TEST_F(SetupTest, TheDialogStartsOnTheSharedPrinterWithTheSystemsFlags)
{
    TQRPrintDialog d;
    d.Options = report::poPageNums | report::poWarning;
    d.FromPage = 2;
    d.ToPage = 70000;
    d.Collate = 1;
    int shown = 0, closed = 0;
    d.OnShow = [&](report::TQRComponent* sender) {
        EXPECT_EQ(sender, &d);
        ++shown;
    };
    d.OnClose = [&](report::TQRComponent*) { ++closed; };
    dialog.confirm = false;
    EXPECT_FALSE(d.Execute());
    ASSERT_EQ(dialog.requests.size(), 1u);
    const PrintDialogRequest& q = dialog.requests[0];
    EXPECT_EQ(q.printer, "Fake A");
    EXPECT_EQ(q.flags, PD_ALLPAGES | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK | PD_COLLATE | PD_HIDEPRINTTOFILE |
                           PD_NOSELECTION);
    EXPECT_EQ(q.fromPage, 2);
    EXPECT_EQ(q.toPage, 0xFFFF) << "16-bit page numbers";
    EXPECT_EQ(q.copies, 0);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closed, 1);

    d.Options = report::poPrintToFile | report::poSelection | report::poHelp | report::poDisablePrintToFile;
    d.PrintRange = TPrintRange::prPageNums;
    d.Collate = 0;
    d.PrintToFile = true;
    d.Execute();
    EXPECT_EQ(dialog.requests[1].flags, PD_PAGENUMS | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK | PD_NOPAGENUMS |
                                            PD_DISABLEPRINTTOFILE | PD_PRINTTOFILE | PD_SHOWHELP | PD_NOWARNING);
}

TEST_F(SetupTest, AConfirmedDialogChoosesThePrinterAndReturnsTheRecordsValues)
{
    dialog.edit = [](PrintDialogAnswer& a) {
        a.printer = "Fake B";
        a.mode.dmDeviceName = "Fake B";
        a.mode.dmDefaultSource = 257;
        a.mode.dmPaperSize = 11;
        a.mode.dmPaperWidth = 1480;
        a.mode.dmOrientation = DMORIENT_LANDSCAPE;
        a.mode.dmDuplex = DMDUP_VERTICAL;
        a.mode.dmCopies = 3;
        a.mode.dmCollate = 1;
        a.flags = PD_PAGENUMS;
        a.fromPage = 2;
        a.toPage = 4;
    };
    TQRPrintDialog d;
    ASSERT_TRUE(d.Execute());
    EXPECT_EQ(Printer().PrinterIndex(), 1);
    EXPECT_EQ(d.Copies(), 3) << "a dialog answering 1 leaves the count to the record";
    EXPECT_EQ(Printer().Copies(), 3);
    EXPECT_EQ(d.PrintRange, TPrintRange::prPageNums);
    EXPECT_EQ(d.FromPage, 2);
    EXPECT_EQ(d.ToPage, 4);
    EXPECT_EQ(d.OutputBin, 257);
    EXPECT_EQ(d.PaperSize, 11);
    EXPECT_EQ(d.Paperwidth, 1480);
    EXPECT_EQ(d.Orientation, 2);
    EXPECT_TRUE(d.Duplex);
    EXPECT_EQ(d.DuplexCode, DMDUP_VERTICAL);
    EXPECT_EQ(d.Collate, 1);
}

TEST_F(SetupTest, WithoutPrintersTheDialogChoosesNothing)
{
    setPrinterDriver(nullptr);
    TQRPrintDialog d;
    EXPECT_FALSE(d.Execute());
    EXPECT_TRUE(dialog.requests.empty());
    rep->PrinterSetup();
    EXPECT_EQ(rep->Tag, 1);
}

TEST_F(SetupTest, ACancelledSetupChangesNothingButTheTag)
{
    dialog.confirm = false;
    rep->PrinterSettings().Copies = 2;
    const auto before = rep->PrinterSettings();
    rep->PrinterSetup();
    EXPECT_EQ(rep->Tag, 1);
    EXPECT_EQ(rep->PrinterSettings().Copies, before.Copies);
    EXPECT_EQ(rep->PrinterSettings().PrinterIndex, -1);
    EXPECT_EQ(rep->UserPrinterSettings().CustomBinCode, 0);
}

TEST_F(SetupTest, TheSetupOffersTheRecordedPagesAndStartsOnThePagesOrientation)
{
    auto r = recorded(4);
    rep->Page().SetOrientation(TPrinterOrientation::poLandscape);
    rep->PrinterSettings().Copies = 2;
    dialog.confirm = false;
    rep->PrinterSetup();
    const PrintDialogRequest& q = dialog.requests.at(0);
    EXPECT_EQ(q.minPage, 1);
    EXPECT_EQ(q.maxPage, 4);
    EXPECT_EQ(q.fromPage, 1);
    EXPECT_EQ(q.toPage, 4);
    EXPECT_EQ(q.mode.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(q.mode.dmCopies, 2);
    EXPECT_FALSE(q.flags & PD_NOPAGENUMS);
    EXPECT_FALSE(q.flags & PD_NOWARNING);
}

TEST_F(SetupTest, AConfirmedSetupFillsTheReportsAndTheUsersSettings)
{
    dialog.edit = [](PrintDialogAnswer& a) {
        a.printer = "Fake B";
        a.mode.dmDefaultSource = 257;
        a.mode.dmPaperSize = 77;
        a.mode.dmOrientation = DMORIENT_LANDSCAPE;
        a.mode.dmDuplex = DMDUP_VERTICAL;
        a.mode.dmCopies = 2;
        a.flags = PD_PAGENUMS;
        a.fromPage = 2;
        a.toPage = 3;
    };
    rep->PrinterSetup();
    EXPECT_EQ(rep->Tag, 0);
    const auto& p = rep->PrinterSettings();
    EXPECT_EQ(p.PrinterIndex, 1);
    EXPECT_EQ(p.Copies, 2);
    EXPECT_EQ(p.FirstPage, 2);
    EXPECT_EQ(p.LastPage, 3);
    EXPECT_EQ(rep->Page().Orientation(), TPrinterOrientation::poLandscape);
    const auto& u = rep->UserPrinterSettings();
    EXPECT_EQ(u.CustomBinCode, 257);
    EXPECT_EQ(u.OutputBin, TQRBin::First) << "257 - 256 is the first bin";
    EXPECT_EQ(u.CustomPaperCode, 77);
    EXPECT_EQ(u.ExtendedDuplex, DMDUP_VERTICAL);
    EXPECT_TRUE(u.Duplex);
    EXPECT_EQ(u.PrinterIndex, 1);
    EXPECT_EQ(u.FirstPage, 2);
    EXPECT_EQ(u.LastPage, 3);
    EXPECT_EQ(u.Orientation, TPrinterOrientation::poLandscape);
}

TEST_F(SetupTest, AllPagesClearsTheReportsRange)
{
    rep->PrinterSettings().FirstPage = 2;
    rep->PrinterSettings().LastPage = 2;
    rep->PrinterSetup();
    EXPECT_EQ(rep->PrinterSettings().FirstPage, 0);
    EXPECT_EQ(rep->PrinterSettings().LastPage, 0);
}

TEST_F(SetupTest, AfterASetupWithAllPagesTheSamePreviewPrintsFromFirstToLast)
{
    auto r = recorded(3);
    pages::SetSavedReportLoaded(false);
    report::PreviewPrinterSetup(*r, {});
    EXPECT_EQ(r->FirstPage, 1);
    EXPECT_EQ(r->LastPage, 3);
    r->Print();
    ASSERT_EQ(driver->Jobs().size(), 1u);
    EXPECT_EQ(driver->LastJob().pages.size(), 3u);
}

TEST_F(SetupTest, ThePreviewSetupGivesTheAnswersToItsRecorder)
{
    auto r = recorded(3);
    dialog.edit = [](PrintDialogAnswer& a) {
        a.printer = "Fake B";
        a.mode.dmDefaultSource = DMBIN_MANUAL;
        a.mode.dmDuplex = DMDUP_VERTICAL;
        a.mode.dmCopies = 2;
        a.mode.dmCollate = 1;
    };
    report::PreviewPrinterSetup(*r, {});
    EXPECT_EQ(r->PrinterSettings().Device(), "Fake B");
    EXPECT_FALSE(r->PrinterSettings().UseCustomBinCode);
    EXPECT_EQ(r->OutputBin(), TQRBin::Manual);
    EXPECT_EQ(r->Copies(), 2);
    EXPECT_TRUE(r->Duplex());
    EXPECT_EQ(r->PrinterSettings().ExtendedDuplex, 2);
    EXPECT_TRUE(r->PrinterSettings().UseExtendedDuplex);
    EXPECT_EQ(r->PrinterSettings().Collate, 1);
    EXPECT_EQ(rep->PrinterSettings().OutputBin, TQRBin::Manual);
    EXPECT_EQ(rep->PrinterSettings().ExtendedDuplex, 2);
    r->Print();
    EXPECT_EQ(driver->LastJob().printer, "Fake B");
    EXPECT_EQ(driver->LastJob().mode.dmDuplex, 2);
    EXPECT_EQ(driver->LastJob().mode.dmDefaultSource, DMBIN_MANUAL);
}

TEST_F(SetupTest, ADriversOwnSourceTravelsAsACustomCode)
{
    auto r = recorded(1);
    dialog.edit = [](PrintDialogAnswer& a) { a.mode.dmDefaultSource = 260; };
    report::PreviewPrinterSetup(*r, {});
    EXPECT_TRUE(r->PrinterSettings().UseCustomBinCode);
    EXPECT_EQ(r->PrinterSettings().CustomBinCode, 260);
    r->Print();
    EXPECT_EQ(driver->LastJob().mode.dmDefaultSource, 260);
}

TEST_F(SetupTest, ANegativeSourceIsNotTakenForABin)
{
    auto r = recorded(1);
    dialog.edit = [](PrintDialogAnswer& a) { a.mode.dmDefaultSource = -3; };
    report::PreviewPrinterSetup(*r, {});
    EXPECT_TRUE(r->PrinterSettings().UseCustomBinCode);
    EXPECT_EQ(r->PrinterSettings().CustomBinCode, -3);
}

TEST_F(SetupTest, AfterASavedReportWasLoadedTheReportsSettingsStayAlone)
{
    auto r = recorded(1);
    pages::SetSavedReportLoaded(true);
    dialog.edit = [](PrintDialogAnswer& a) { a.mode.dmDuplex = DMDUP_VERTICAL; };
    report::PreviewPrinterSetup(*r, {});
    EXPECT_EQ(r->PrinterSettings().ExtendedDuplex, 2);
    EXPECT_EQ(rep->PrinterSettings().ExtendedDuplex, 0);
    pages::SetSavedReportLoaded(false);
}

TEST_F(SetupTest, APreviewSetupPrintsAtOnceOnlyWhenTheReportAsks)
{
    auto r = recorded(1);
    int printed = 0;
    report::PreviewPrinterSetup(*r, [&] { ++printed; });
    EXPECT_EQ(printed, 0);
    rep->PrintAfterSetup = true;
    report::PreviewPrinterSetup(*r, [&] { ++printed; });
    EXPECT_EQ(printed, 1);
    dialog.confirm = false;
    report::PreviewPrinterSetup(*r, [&] { ++printed; });
    EXPECT_EQ(printed, 1) << "a cancelled setup prints nothing";
}

TEST_F(SetupTest, TheHandOverStartsFromTheDriversDefaults)
{
    driver->Find("Fake B").defaults.dmCopies = 5;
    auto& p = rep->PrinterSettings();
    p.PrinterIndex = 1;
    p.Copies = 2;
    p.OutputBin = TQRBin::Lower;
    p.FirstPage = 2;
    p.LastPage = 4;
    p.Duplex = true;
    p.PrintQuality = 300;
    p.ColorOption = 1;
    int applied = 0;
    rep->OnApplyPrinterSettings = [&](pages::TPrinterSettings*, bool&, DevMode*) { ++applied; };
    TQRPrinter r(rep);
    report::TransferPrinterSettings(*rep, r);
    EXPECT_EQ(r.PrinterSettings().Device(), "Fake B");
    EXPECT_EQ(r.Copies(), 2);
    EXPECT_EQ(r.OutputBin(), TQRBin::Lower);
    EXPECT_EQ(r.FirstPage, 2);
    EXPECT_EQ(r.LastPage, 4);
    EXPECT_TRUE(r.Duplex());
    EXPECT_EQ(r.PrinterSettings().ExtendedDuplex, 0) << "the driver's code is replaced by the report's";
    EXPECT_EQ(r.PrinterSettings().PrintQuality, 300);
    EXPECT_EQ(r.PaperSize(), TQRPaperSize::A4);
    r.PrinterSettings().ApplySettings();
    EXPECT_EQ(applied, 1);
}

TEST_F(SetupTest, ACustomPageTravelsAsItsExtentInPortrait)
{
    printerA().paperCodes->push_back(DMPAPER_USER);
    rep->Page().SetPaperSize(TQRPaperSize::Custom);
    rep->Page().SetOrientation(TPrinterOrientation::poLandscape);
    rep->Page().SetWidth(300);   // mm, landscape
    rep->Page().SetLength(200);
    TQRPrinter r(rep);
    report::TransferPrinterSettings(*rep, r);
    EXPECT_EQ(r.PaperSize(), TQRPaperSize::Custom);
    EXPECT_EQ(r.PaperWidth(), 2000);
    EXPECT_EQ(r.PaperLength(), 3000);
    EXPECT_EQ(r.PaperWidthValue(), 3000);
}

TEST_F(SetupTest, APaperThePrinterLacksKeepsThePrintersOwn)
{
    rep->Page().SetPaperSize(TQRPaperSize::B5);
    TQRPrinter r(rep);
    report::TransferPrinterSettings(*rep, r);
    EXPECT_EQ(r.PaperSize(), TQRPaperSize::A4);
    EXPECT_EQ(r.PaperLengthValue(), 2970);
}

TEST_F(SetupTest, ANewReportTakesThePrintersPaper)
{
    printerA().defaults.dmPaperSize = DMPAPER_LETTER;
    Printer().Refresh();
    Printer().SetPrinterIndex(-1);
    auto* letter = new report::TBandoriaRep(&form);
    EXPECT_EQ(letter->Page().PaperSize(), TQRPaperSize::Letter);
    setPrinterDriver(nullptr);
    auto* none = new report::TBandoriaRep(&form);
    EXPECT_EQ(none->Page().PaperSize(), TQRPaperSize::Default);
}
