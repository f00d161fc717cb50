// The system printer object on the fake driver: printer choice, device
// modes, and the document cycle as the driver sees it.

#include "platform/core/PlatformError.h"
#include "platform/gdi/EmfReader.h"
#include "platform/printing/FakePrinterDriver.h"
#include "platform/printing/PrintDialog.h"
#include "platform/printing/Printer.h"

#include <gtest/gtest.h>

using namespace zt::platform;
using namespace zt::platform::printing;

namespace {

std::shared_ptr<FakePrinterDriver> twoPrinters()
{
    auto d = std::make_shared<FakePrinterDriver>();
    d->printers = {FakePrinter::standard("Alpha"), FakePrinter::standard("Beta")};
    d->defaultPrinter = "Beta";
    return d;
}

} // namespace

TEST(PrinterChoice, StartsOnTheSystemDefaultPrinter)
{
    TPrinter p(twoPrinters());
    ASSERT_EQ(p.Printers().size(), 2u);
    EXPECT_EQ(p.PrinterIndex(), 1);
    DevMode m;
    EXPECT_EQ(p.GetPrinter(m).name, "Beta");
    EXPECT_EQ(m.dmDeviceName, "Beta");
}

TEST(PrinterChoice, WithoutADefaultPrinterTheFirstOneIsUsed)
{
    auto d = twoPrinters();
    d->defaultPrinter.clear();
    TPrinter p(d);
    EXPECT_EQ(p.PrinterIndex(), 0);
}

TEST(PrinterChoice, NoPrinterInstalledIsMinusOneAndEveryQuestionFails)
{
    TPrinter p(std::make_shared<FakePrinterDriver>());
    EXPECT_TRUE(p.Printers().empty());
    EXPECT_EQ(p.PrinterIndex(), -1);
    DevMode m;
    EXPECT_THROW(p.GetPrinter(m), PlatformError);
    EXPECT_THROW(p.BeginDoc(), PlatformError);
    EXPECT_FALSE(p.Printing());
}

TEST(PrinterChoice, ChoosingAPrinterStartsFromTheDriversDefaults)
{
    auto d = twoPrinters();
    TPrinter p(d);
    p.SetCopies(4);
    EXPECT_EQ(p.Copies(), 4);
    p.SetPrinterIndex(0);
    EXPECT_EQ(p.Copies(), 1);
    p.SetCopies(3);
    p.SetPrinterIndex(-1);
    EXPECT_EQ(p.PrinterIndex(), 1);
    EXPECT_EQ(p.Copies(), 1);
    EXPECT_THROW(p.SetPrinterIndex(2), PlatformError);
}

TEST(PrinterChoice, SetPrinterChoosesByNameAndKeepsTheRecord)
{
    TPrinter p(twoPrinters());
    DevMode m = FakePrinter::standard("Alpha").defaults;
    m.dmCopies = 7;
    p.SetPrinter("Alpha", m);
    EXPECT_EQ(p.PrinterIndex(), 0);
    DevMode back;
    p.GetPrinter(back);
    EXPECT_EQ(back.dmCopies, 7);
    EXPECT_THROW(p.SetPrinter("Gamma", m), PlatformError);
}

TEST(PrinterChoice, RefreshKeepsAPrinterThatIsStillInstalled)
{
    auto d = twoPrinters();
    TPrinter p(d);
    p.SetPrinterIndex(1);
    d->printers.insert(d->printers.begin(), FakePrinter::standard("Aardvark"));
    p.Refresh();
    EXPECT_EQ(p.PrinterIndex(), 2);
    DevMode m;
    EXPECT_EQ(p.GetPrinter(m).name, "Beta");
    d->printers.pop_back();
    p.Refresh();
    EXPECT_EQ(p.GetPrinter(m).name, "Aardvark") << "Beta is gone and was the default: the first printer";
}

TEST(PrintJobs, EveryPageReachesTheDriverAsAMetafileAtThePrintersResolution)
{
    auto d = twoPrinters();
    TPrinter p(d);
    p.Title = "Kurzmitteilung";
    p.BeginDoc();
    EXPECT_TRUE(p.Printing());
    EXPECT_EQ(p.PageNumber(), 1);
    p.Canvas().TextOut(10, 10, "Seite 1");
    p.NewPage();
    p.Canvas().TextOut(10, 10, "Seite 2");
    p.EndDoc();
    EXPECT_FALSE(p.Printing());

    const FakeJob& job = d->LastJob();
    EXPECT_EQ(job.printer, "Beta");
    EXPECT_EQ(job.title, "Kurzmitteilung");
    EXPECT_TRUE(job.ended);
    ASSERT_EQ(job.pages.size(), 2u);
    EXPECT_EQ(gdi::enumerateTexts(job.pages[1].drawing), std::vector<std::string>{"Seite 2"});
    // A4 at 600 dpi less the fake's offsets on both sides.
    EXPECT_EQ(job.caps.horzRes, 4961 - 200);
    EXPECT_EQ(job.pages[0].drawing.Header().deviceCx, job.caps.horzRes);
}

TEST(PrintJobs, AnAbortedJobEndsNothingFurther)
{
    auto d = twoPrinters();
    TPrinter p(d);
    p.BeginDoc();
    p.NewPage();
    p.Abort();
    EXPECT_TRUE(p.Aborted());
    EXPECT_FALSE(p.Printing());
    EXPECT_TRUE(d->LastJob().aborted);
    EXPECT_FALSE(d->LastJob().ended);
    EXPECT_EQ(d->LastJob().pages.size(), 1u) << "the page ended before the abort";
    EXPECT_THROW(p.Canvas(), PlatformError);
}

TEST(PrintJobs, APrinterObjectThatGoesAwayDropsItsOpenJob)
{
    auto d = twoPrinters();
    {
        TPrinter p(d);
        p.BeginDoc();
    }
    EXPECT_TRUE(d->LastJob().aborted);
}

TEST(PrintJobs, ClearedJobsAreForgottenAndAJobStillOpenPrintsIntoNothing)
{
    auto d = twoPrinters();
    TPrinter p(d);
    p.BeginDoc();
    p.Canvas().TextOut(10, 10, "Seite 1");
    d->ClearJobs();
    EXPECT_TRUE(d->Jobs().empty());
    p.NewPage();
    p.EndDoc();
    EXPECT_TRUE(d->Jobs().empty());
    p.BeginDoc();
    p.EndDoc();
    ASSERT_EQ(d->Jobs().size(), 1u);
    EXPECT_TRUE(d->LastJob().ended);
    EXPECT_EQ(d->LastJob().pages.size(), 1u);
}

TEST(PrintJobs, SheetsAreKeptWithTheirRectangles)
{
    auto d = twoPrinters();
    TPrinter p(d);
    p.BeginDoc();
    auto sheet = gdi::EmfRecorder::forPage(gdi::RefDevice::screen(), 794, 1123).Finish();
    p.Job().DrawSheet(sheet, {-12, -14, 4949, 7001});
    p.EndDoc();
    ASSERT_EQ(d->LastJob().pages.size(), 1u);
    ASSERT_EQ(d->LastJob().pages[0].sheets.size(), 1u);
    EXPECT_EQ(d->LastJob().pages[0].sheets[0].dest, (gdi::EmfRect{-12, -14, 4949, 7001}));
}

TEST(PrintJobs, ADriverReportingNoPageRefusesTheJob)
{
    auto d = twoPrinters();
    d->printers[1].dpiX = 0;
    TPrinter p(d);
    EXPECT_THROW(p.BeginDoc(), PlatformError);
    EXPECT_FALSE(p.Printing());
}

TEST(PrintJobs, LandscapeAndUserPapersChangeThePage)
{
    auto d = twoPrinters();
    TPrinter p(d);
    DevMode m;
    p.GetPrinter(m);
    m.dmOrientation = DMORIENT_LANDSCAPE;
    p.SetPrinter("Beta", m);
    EXPECT_EQ(p.Caps().physicalWidth, 7016);
    m.dmOrientation = DMORIENT_PORTRAIT;
    m.dmPaperSize = DMPAPER_USER;
    m.dmPaperWidth = 1000;
    m.dmPaperLength = 1500;
    p.SetPrinter("Beta", m);
    EXPECT_EQ(p.Caps().physicalWidth, 2362);
    EXPECT_EQ(p.Caps().physicalHeight, 3543);
}

TEST(ApplicationPrinter, FollowsTheInstalledDriver)
{
    auto d = installFakePrinterDriver();
    EXPECT_EQ(Printer().Printers().size(), 2u);
    Printer().BeginDoc();
    setPrinterDriver(nullptr);
    EXPECT_TRUE(d->LastJob().aborted) << "moving to another driver drops the job";
    EXPECT_TRUE(Printer().Printers().empty());
    EXPECT_EQ(Printer().PrinterIndex(), -1);
}

TEST(SystemPrintDialogSeam, WithoutADialogEveryDialogIsCancelled)
{
    setSystemPrintDialog(nullptr);
    EXPECT_FALSE(runSystemPrintDialog({}).has_value());
}

#include "platform/printing/JobTitle.h"

TEST(JobTitle, ReadsAlikeInEverySpoolerFilter)
{
    using zt::platform::printing::jobTitle;
    EXPECT_EQ(jobTitle("Zettelino für Windows"), "Zettelino fuer Windows");
    EXPECT_EQ(jobTitle("Größe ÄÖÜ ß"), "Groesse AeOeUe ss");
    EXPECT_EQ(jobTitle("Café Ñandú – „Angebot“ 100 €"), "Cafe Nandu - \"Angebot\" 100 EUR");
    EXPECT_EQ(jobTitle("Ελληνικά\tx"), "_________x"); // eight letters and the tab
    EXPECT_EQ(jobTitle("kaputt \xC3"), "kaputt _");
}
