// The batch tool's printed letter: the preview's pages as a saved report
// file and as images, and "Drucken" on the fake driver.

#include "cli/BatchOptions.h"
#include "cli/LetterCommands.h"
#include "export/QRExportLibrary.h"
#include "pages/QRPageList.h"
#include "platform/printing/FakePrinterDriver.h"
#include "support/BatchExitStatus.h"
#include "support/PageContent.h"
#include "support/PdfFile.h"
#include "support/QtWidgetApp.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

using namespace zt;
using namespace zt::platform::printing;
namespace fs = std::filesystem;

namespace {

class LetterPrintCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        zt::testing::ensureWidgetApplication();
        exporting::RegisterExportFilters();
    }
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

    // A letter of `lines` message lines in layout 1.8, from a one-line sender.
    std::string letter(int lines, const std::string& sender = "Max Mustermann")
    {
        const std::string path = dir + "brief.ZLW";
        std::ofstream f(path, std::ios::binary);
        f << "ZLVersion=1.8\r\nAbsLines=1\r\nAnsLines=1\r\nMitLines=" << lines << "\r\n";
        f << sender << "\r\nFirma Beispiel\r\n";
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

namespace {

// The widest gap inside the return line above the address, in pixels, its
// underline left out; -1 when the line is not found. A column's ink is its
// darkest pixel; a gap is a run of columns less than half inked, each adding
// what it lacks of full ink, so a gap of antialiased edges counts in parts of
// a pixel. The page's ink in its left part comes in bands of rows: the sender
// block's line first, then the return line.
double widestGapInReturnLine(const QImage& page)
{
    const int right = page.width() * 45 / 100;
    const auto ink = [&](int x, int y) { return qGray(page.pixel(x, y)) < 192; };
    const auto inkedRow = [&](int y) {
        for (int x = 0; x < right; ++x)
            if (ink(x, y))
                return true;
        return false;
    };
    int y = 0, band = 0, top = -1, bottom = -1;
    while (y < page.height() / 3 && top < 0) {
        while (y < page.height() / 3 && !inkedRow(y))
            ++y;
        const int start = y;
        while (y < page.height() / 3 && inkedRow(y))
            ++y;
        if (y > start && ++band == 2) {
            top = start;
            bottom = y;
        }
    }
    if (top < 0)
        return -1;
    int first = right, last = -1;
    for (int r = top; r < bottom; ++r)
        for (int x = 0; x < right; ++x)
            if (ink(x, r)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    // The underline inks nearly every column of the line; the letters do not.
    std::vector<int> rows;
    for (int r = top; r < bottom; ++r) {
        int n = 0;
        for (int x = first; x <= last; ++x)
            n += ink(x, r);
        if (n * 10 < (last - first + 1) * 9)
            rows.push_back(r);
    }
    double widest = 0, gap = 0;
    for (int x = first; x <= last; ++x) {
        double darkest = 0;
        for (const int r : rows)
            darkest = std::max(darkest, (255 - qGray(page.pixel(x, r))) / 255.0);
        gap = darkest < 0.5 ? gap + 1 - darkest : 0;
        widest = std::max(widest, gap);
    }
    return widest;
}

} // namespace

// The return line's font is small, and hinting at that size widens some
// glyphs' recorded advances (a 'w' by two pixels); in the page image the
// letters of a word still stand no more than a pixel further apart than in
// the PDF at the same resolution.
TEST_F(LetterPrintCommands, ReturnLineKeepsItsWordsTogetherAsThePdfDoes)
{
    for (const std::string word : {"Beispielweg", "Wegwart", "Wiesenweg"}) {
        const std::string images = dir + word, pdf = dir + word + ".pdf", printed = dir + word + "-pdf";
        ASSERT_EQ(run({letter(1, word), "--png", images, "--pdf", pdf}), exit_status::done) << err.str();
        const auto r = zt::testing::runTool("pdftoppm -r 96 -png -singlefile " + zt::testing::quoted(pdf) + " " +
                                            zt::testing::quoted(printed));
        ASSERT_EQ(r.status, 0) << r.output;
        const QImage playedPage(QString::fromStdString(images + "/page-001.png"));
        const QImage printedPage(QString::fromStdString(printed + ".png"));
        ASSERT_EQ(playedPage.size(), printedPage.size()) << word;
        const double played = widestGapInReturnLine(playedPage), inPdf = widestGapInReturnLine(printedPage);
        ASSERT_GE(inPdf, 0) << word;
        ASSERT_GE(played, 0) << word;
        EXPECT_LE(played, inPdf + 1) << word << ": a gap of " << played << " pixels, in the PDF " << inPdf;
    }
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
