// The batch tool's printer commands on the fake driver: listing printers,
// printing a saved report file, and the exit status without a printer.

#include "cli/BatchOptions.h"
#include "cli/ReportCommands.h"
#include "pages/QRPageList.h"
#include "pages/QRStream.h"
#include "platform/gdi/EmfReader.h"
#include "platform/gdi/EmfRecorder.h"
#include "platform/printing/FakePrinterDriver.h"
#include "support/BatchExitStatus.h"
#include "support/QtTestApp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace zt;
using namespace zt::platform::printing;
namespace fs = std::filesystem;

namespace {

class PrintCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite() { zt::testing::ensureGuiApplication(); }
    void SetUp() override
    {
        driver = installFakePrinterDriver();
        std::string pattern = fs::temp_directory_path().string() + "/zt-print-XXXXXX";
        dir = std::string(::mkdtemp(pattern.data())) + "/";
    }
    void TearDown() override
    {
        setPrinterDriver(nullptr);
        fs::remove_all(dir);
    }

    std::string save(int pages)
    {
        pages::TQRPageList list;
        list.SetStream(std::make_unique<pages::TQRStream>(1000000));
        for (int i = 1; i <= pages; ++i) {
            auto rec = platform::gdi::EmfRecorder::forPage(platform::gdi::RefDevice::screen(), 794, 1123);
            rec.TextOut(100, 100, "Seite " + std::to_string(i));
            list.AddPage(rec.Finish());
        }
        list.Finish();
        const std::string path = dir + "report.QRP";
        list.SaveToFile(path);
        return path;
    }

    int run(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        return cli::runReportCommands(cli::parseBatchOptions(args), out, err);
    }

    std::shared_ptr<FakePrinterDriver> driver;
    std::string dir;
    std::ostringstream out, err;
};

} // namespace

TEST(PrintOptions, PrintTakesAPrinterOnlyAfterTheInput)
{
    using K = cli::BatchOutput::Kind;
    const auto named = cli::parseBatchOptions({"r.QRP", "--print", "PDF", "--info"});
    EXPECT_TRUE(named.errors.empty());
    EXPECT_EQ(named.outputs, (std::vector<cli::BatchOutput>{{K::Print, "PDF"}, {K::Info, ""}}));
    const auto plain = cli::parseBatchOptions({"r.QRP", "--print"});
    EXPECT_EQ(plain.outputs, (std::vector<cli::BatchOutput>{{K::Print, ""}}));
    const auto before = cli::parseBatchOptions({"--print", "r.QRP"});
    EXPECT_EQ(before.input, "r.QRP");
    EXPECT_EQ(before.outputs, (std::vector<cli::BatchOutput>{{K::Print, ""}}));
}

TEST(PrintOptions, PrintersNeedsNoInput)
{
    const auto o = cli::parseBatchOptions({"--printers"});
    EXPECT_TRUE(o.listPrinters);
    EXPECT_TRUE(o.errors.empty());
    EXPECT_EQ(cli::parseBatchOptions({"--printers", "--print"}).errors,
              std::vector<std::string>{"keine Eingabedatei angegeben"});
    EXPECT_NE(cli::batchUsage().find("6 kein Drucker"), std::string::npos);
}

TEST_F(PrintCommands, PrintersAreListedWithTheDefaultMarked)
{
    driver->defaultPrinter = "Fake B";
    EXPECT_EQ(run({"--printers"}), exit_status::done) << err.str();
    EXPECT_EQ(out.str(), "  Fake A\n* Fake B\n");
}

TEST_F(PrintCommands, NoPrinterIsExitStatusSix)
{
    const std::string path = save(1);
    setPrinterDriver(nullptr);
    EXPECT_EQ(run({"--printers"}), exit_status::noPrinter);
    EXPECT_NE(err.str().find("Es ist kein Drucker installiert"), std::string::npos);
    EXPECT_EQ(run({path, "--print"}), exit_status::noPrinter);
}

TEST_F(PrintCommands, AnUnknownPrinterIsExitStatusSix)
{
    const std::string path = save(1);
    EXPECT_EQ(run({path, "--print", "Fake C"}), exit_status::noPrinter);
    EXPECT_NE(err.str().find("Es gibt keinen Drucker namens \"Fake C\""), std::string::npos);
    EXPECT_TRUE(driver->Jobs().empty());
}

TEST_F(PrintCommands, ThePagesGoToTheDefaultPrinterAtTheirOwnSize)
{
    const std::string path = save(2);
    ASSERT_EQ(run({path, "--print"}), exit_status::done) << err.str();
    ASSERT_EQ(driver->Jobs().size(), 1u);
    const FakeJob& job = driver->LastJob();
    EXPECT_EQ(job.printer, "Fake A");
    EXPECT_EQ(job.title, "report.QRP");
    EXPECT_TRUE(job.ended);
    ASSERT_EQ(job.pages.size(), 2u);
    ASSERT_EQ(job.pages[1].sheets.size(), 1u);
    EXPECT_EQ(platform::gdi::enumerateTexts(job.pages[1].sheets[0].sheet), std::vector<std::string>{"Seite 2"});
    // The sheet's corner on the paper's corner: the printer's offsets up and left.
    const auto dest = job.pages[0].sheets[0].dest;
    EXPECT_EQ(dest.left, -99);
    EXPECT_EQ(dest.top, -120);
    EXPECT_NEAR(dest.right - dest.left, 4961, 2) << "210 mm at 600 dpi";
    EXPECT_EQ(job.mode.dmPaperSize, 10) << "an A4 sheet loads as A4Small where the printer has it";
}

TEST_F(PrintCommands, ANamedPrinterIsUsed)
{
    const std::string path = save(1);
    ASSERT_EQ(run({path, "--print", "Fake B", "--info"}), exit_status::done) << err.str();
    EXPECT_EQ(driver->LastJob().printer, "Fake B");
    EXPECT_NE(out.str().find("Seiten: 1"), std::string::npos);
}

TEST_F(PrintCommands, AFailingPrinterIsExitStatusFour)
{
    const std::string path = save(1);
    driver->Find("Fake A").dpiX = 0;
    EXPECT_EQ(run({path, "--print"}), exit_status::notWritten);
    EXPECT_NE(err.str().find("keine druckbare Seite"), std::string::npos) << err.str();
}
