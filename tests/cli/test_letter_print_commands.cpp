// The batch tool's printed letter: the preview's pages as a saved report
// file and as images, and "Drucken" on the fake driver.

#include "cli/BatchOptions.h"
#include "cli/LetterCommands.h"
#include "pages/QRPageList.h"
#include "platform/printing/FakePrinterDriver.h"
#include "support/BatchExitStatus.h"
#include "support/PageContent.h"
#include "support/QtWidgetApp.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace zt;
using namespace zt::platform::printing;
namespace fs = std::filesystem;

namespace {

class LetterPrintCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite() { zt::testing::ensureWidgetApplication(); }
    void SetUp() override
    {
        driver = installFakePrinterDriver();
        std::string pattern = fs::temp_directory_path().string() + "/zt-letterprint-XXXXXX";
        dir = std::string(::mkdtemp(pattern.data())) + "/";
    }
    void TearDown() override
    {
        setPrinterDriver(nullptr);
        fs::remove_all(dir);
    }

    // A letter of `lines` message lines in layout 1.8.
    std::string letter(int lines)
    {
        const std::string path = dir + "brief.ZLW";
        std::ofstream f(path, std::ios::binary);
        f << "ZLVersion=1.8\r\nAbsLines=1\r\nAnsLines=1\r\nMitLines=" << lines << "\r\n";
        f << "Max Mustermann\r\nFirma Beispiel\r\n";
        for (int i = 1; i <= lines; ++i)
            f << "Zeile " << i << "\r\n";
        for (int i = 1; i <= 15; ++i)
            f << "cb" << i << "=" << (i == 1 ? 1 : 0) << "\r\n";
        f << "edTitel=Betreff\r\nedTitel2=\r\nedSonst1=\r\nedSonst2=\r\nedDatum=Bonn, 09.12.2026\r\n";
        return path;
    }

    int run(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        return cli::runLetterCommands(cli::parseBatchOptions(args), out, err);
    }

    std::shared_ptr<FakePrinterDriver> driver;
    std::string dir;
    std::ostringstream out, err;
};

TEST_F(LetterPrintCommands, SavedReportFileHoldsThePreviewsPagesWithTheirTotal)
{
    ASSERT_EQ(run({letter(150), "--qrp", dir + "brief.QRP"}), exit_status::done) << err.str();
    pages::TQRPageList list;
    list.LoadFromFile(dir + "brief.QRP");
    ASSERT_EQ(list.PageCount(), 3);
    for (int k = 1; k <= 3; ++k) {
        const auto page = list.GetPage(k);
        ASSERT_TRUE(page);
        EXPECT_EQ(page->Width(), 794);
        EXPECT_EQ(page->Height(), 1123);
        const auto content = zt::testing::readPageContent(*page);
        EXPECT_NE(content.find("Seite " + std::to_string(k) + " von 3"), nullptr);
    }
    EXPECT_NE(zt::testing::readPageContent(*list.GetPage(1)).find("[X] Kenntnisnahme"), nullptr);
}

TEST_F(LetterPrintCommands, ImagesOfTheLettersPages)
{
    ASSERT_EQ(run({letter(3), "--png", dir + "png"}), exit_status::done) << err.str();
    QImage page(QString::fromStdString(dir + "png/page-001.png"));
    EXPECT_EQ(page.size(), QSize(794, 1123));
    EXPECT_FALSE(fs::exists(dir + "png/page-002.png"));
}

TEST_F(LetterPrintCommands, PrintGoesToTheNamedPrinterWithThePageTotal)
{
    ASSERT_EQ(run({letter(150), "--print", "Fake B"}), exit_status::done) << err.str();
    ASSERT_EQ(driver->Jobs().size(), 1u);
    const FakeJob& job = driver->LastJob();
    EXPECT_EQ(job.printer, "Fake B");
    EXPECT_EQ(job.title, "Zettelino für Windows");
    EXPECT_TRUE(job.ended);
    ASSERT_EQ(job.pages.size(), 3u);
    const auto last = zt::testing::readPageContent(job.pages[2].drawing);
    EXPECT_NE(last.find("Seite 3 von 3"), nullptr);
}

TEST_F(LetterPrintCommands, PrintWithoutSuchPrinterFailsWithStatusSix)
{
    EXPECT_EQ(run({letter(1), "--print", "Nobody"}), exit_status::noPrinter);
    EXPECT_NE(err.str().find("Nobody"), std::string::npos);
    EXPECT_TRUE(driver->Jobs().empty());
}

TEST_F(LetterPrintCommands, UnwritableReportFileFailsWithStatusFour)
{
    EXPECT_EQ(run({letter(1), "--qrp", dir + "missing/folder/brief.QRP"}), exit_status::notWritten);
}

TEST(LetterInputSniffing, PngAndPrintTakeLettersByNameOrFirstLine)
{
    EXPECT_TRUE(cli::parseBatchOptions({"a.zlw", "--png", "d"}).letterInput());
    EXPECT_FALSE(cli::parseBatchOptions({"a.QRP", "--png", "d"}).letterInput());
    EXPECT_TRUE(cli::parseBatchOptions({"a.txt", "--qrp", "o.QRP"}).letterInput());
    const auto mixed = cli::parseBatchOptions({"a.ZLW", "--qrp", "o.QRP", "--info"});
    EXPECT_FALSE(mixed.errors.empty());
}

} // namespace
