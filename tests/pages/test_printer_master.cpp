// The page recorder asks its report only through TQRPrinterMaster: a stand-in
// master, with no report behind it, gets every question the recorder asks.

#include "PrinterTestSupport.h"

#include "pages/QRPrinter.h"
#include "pages/QRPrinterMaster.h"

#include <cstdio>
#include <optional>
#include <string>

using namespace zt;
using pages::TQRPrinter;
using pages::TQRPrinterMaster;
using report::TQRPrinterDestination;

namespace {

class StandInMaster : public TQRPrinterMaster {
public:
    TRecorderWishes RecorderWishes() const override { return wishes; }
    bool ExportRunning() const override { return exporting; }
    std::optional<TSheetSize> RecordedSheet() const override { return sheet; }
    bool ShowsPrintProgress() const override { return progress; }
    void RecordedPagesPrinted() override { ++printed; }

    TRecorderWishes wishes;
    bool exporting = false;
    std::optional<TSheetSize> sheet;
    bool progress = false;
    int printed = 0;
};

void run(TQRPrinter& r, int pages)
{
    r.BeginDoc();
    for (int n = 1; n <= pages; ++n)
        r.NewPage();
    r.EndDoc();
}

using PrinterMasterTest = pages::test::PrinterTest;

} // namespace

TEST_F(PrinterMasterTest, TheMastersWishesChooseThePrinterAndTheMemoryLimit)
{
    StandInMaster master;
    master.wishes = {true, 4321};
    TQRPrinter r(&master);
    EXPECT_EQ(&r.SystemPrinter(), &platform::printing::Printer());
    EXPECT_EQ(r.PrinterSettings().MemoryLimit, 4321);
    EXPECT_EQ(r.ParentReport(), &master);
    master.wishes = {false, 99};
    TQRPrinter own(&master);
    EXPECT_NE(&own.SystemPrinter(), &platform::printing::Printer());
}

TEST_F(PrinterMasterTest, APageLeftOpenByAnExportRunIsNotKept)
{
    StandInMaster master;
    TQRPrinter kept(&master);
    kept.BeginDoc();
    kept.NewPage();
    kept.AbortDoc();
    EXPECT_EQ(kept.PageList().PageCount(), 1);

    master.exporting = true;
    TQRPrinter dropped(&master);
    dropped.BeginDoc();
    dropped.NewPage();
    dropped.AbortDoc();
    EXPECT_EQ(dropped.PageList().PageCount(), 0);
}

TEST_F(PrinterMasterTest, PlayingThePagesUsesTheMastersSheetAndTellsItAfterwards)
{
    printerA().dpiX = printerA().dpiY = 254;  // one pixel per 0.1 mm
    printerA().offsetX = 10;
    printerA().offsetY = 20;
    StandInMaster master;
    master.sheet = TQRPrinterMaster::TSheetSize{2100, 2970};
    TQRPrinter r(&master);
    run(r, 2);
    r.ReportLoaded = true;
    r.Print();
    const auto& job = driver->LastJob();
    ASSERT_EQ(job.pages.size(), 2u);
    EXPECT_EQ(job.pages[1].sheets.at(0).dest, (platform::gdi::EmfRect{-10, -20, 2090, 2950}));
    EXPECT_EQ(master.printed, 1);
}

TEST_F(PrinterMasterTest, TheMasterDecidesWhetherPlaybackShowsProgress)
{
    std::vector<std::uintptr_t> progress;
    int windows = 0;
    pages::SetProgressFormFactory([&](TQRPrinter*) {
        ++windows;
        return std::make_unique<pages::test::TestProgressWindow>(progress);
    });
    StandInMaster master;
    TQRPrinter r(&master);
    run(r, 2);
    r.ReportLoaded = true;
    r.Print();
    EXPECT_EQ(windows, 0);
    master.progress = true;
    r.Print();
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(progress, (std::vector<std::uintptr_t>{50, 100}));
    EXPECT_EQ(master.printed, 2);
}

TEST_F(PrinterMasterTest, LoadingASavedReportFileIsRemembered)
{
    pages::SetSavedReportLoaded(false);
    TQRPrinter r(nullptr);
    run(r, 1);
    const std::string path = ::testing::TempDir() + "zt-master.qrp";
    r.Save(path);
    TQRPrinter loaded(nullptr);
    loaded.Load(path);
    EXPECT_TRUE(pages::SavedReportLoaded());
    pages::SetSavedReportLoaded(false);
    std::remove(path.c_str());
}
