// The Qt printer driver's pieces that need no spooler: device modes on a
// QPrinter, capabilities, and a job played into a PDF file that outside
// readers (pdftotext, pdfinfo) check.

#include "platform/core/PlatformError.h"
#include "platform/gdi/EmfRecorder.h"
#include "platform/qt/QtDevMode.h"
#include "platform/qt/QtPrinterDriver.h"
#include "support/QtTestApp.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

using namespace zt::platform;
using namespace zt::platform::printing;
using namespace zt::platform::qt;

namespace {

constexpr std::uint32_t kAll = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES |
                               DM_COLLATE | DM_DUPLEX | DM_COLOR;

std::unique_ptr<QPrinter> pdfPrinter(const QString& file)
{
    zt::testing::ensureGuiApplication();
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(file);
    p->setResolution(300);
    return p;
}

std::string run(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buf[512];
        while (std::fgets(buf, sizeof buf, pipe))
            out += buf;
        pclose(pipe);
    }
    return out;
}

bool have(const char* tool)
{
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace

TEST(QtDevMode, PaperAndDuplexCodes)
{
    EXPECT_EQ(pageSizeOfCode(9).id(), QPageSize::A4);
    EXPECT_EQ(pageSizeOfCode(1).id(), QPageSize::Letter);
    EXPECT_TRUE(pageSizeOfCode(10).isEquivalentTo(QPageSize(QPageSize::A4))) << "A4Small is A4 paper";
    EXPECT_FALSE(pageSizeOfCode(DMPAPER_USER).isValid());
    EXPECT_FALSE(pageSizeOfCode(0).isValid());
    EXPECT_EQ(duplexOfCode(DMDUP_VERTICAL), QPrinter::DuplexLongSide);
    EXPECT_EQ(duplexOfCode(DMDUP_HORIZONTAL), QPrinter::DuplexShortSide);
    EXPECT_EQ(duplexOfCode(DMDUP_SIMPLEX), QPrinter::DuplexNone);
    EXPECT_EQ(duplexCode(QPrinter::DuplexShortSide), DMDUP_HORIZONTAL);
    EXPECT_EQ(duplexCode(QPrinter::DuplexNone), DMDUP_SIMPLEX);
}

TEST(QtDevMode, ARecordSetsUpThePrinterAndReadsBack)
{
    QTemporaryDir dir;
    auto p = pdfPrinter(dir.filePath("x.pdf"));
    DevMode m;
    m.dmFields = kAll;
    m.dmPaperSize = DMPAPER_LETTER;
    m.dmOrientation = DMORIENT_LANDSCAPE;
    m.dmCopies = 3;
    m.dmCollate = DMCOLLATE_TRUE;
    configurePrinter(*p, m, kAll);
    const DevMode back = devModeOf(*p, {});
    EXPECT_EQ(back.dmPaperSize, DMPAPER_LETTER);
    EXPECT_EQ(back.dmPaperWidth, 2159);
    EXPECT_EQ(back.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(back.dmCopies, 3);
    EXPECT_EQ(back.dmCollate, DMCOLLATE_TRUE);
    const DeviceCaps caps = capsOf(*p);
    EXPECT_EQ(caps.logPixelsX, 300);
    EXPECT_EQ(caps.physicalWidth, 3300) << "11 inches across in landscape";
    EXPECT_EQ(caps.physicalOffsetX + caps.horzRes <= caps.physicalWidth, true);
}

TEST(QtDevMode, AUserPaperTravelsByItsExtent)
{
    QTemporaryDir dir;
    auto p = pdfPrinter(dir.filePath("x.pdf"));
    DevMode m;
    m.dmFields = kAll;
    m.dmPaperSize = DMPAPER_USER;
    m.dmPaperWidth = 1000;
    m.dmPaperLength = 1500;
    configurePrinter(*p, m, kAll);
    EXPECT_NEAR(p->pageLayout().pageSize().size(QPageSize::Millimeter).width(), 100.0, 0.5);
}

TEST(QtDevMode, FieldsThePrinterDoesNotAnnounceAreLeftAlone)
{
    QTemporaryDir dir;
    auto p = pdfPrinter(dir.filePath("x.pdf"));
    const QPageSize before = p->pageLayout().pageSize();
    DevMode m;
    m.dmFields = kAll;
    m.dmPaperSize = DMPAPER_LETTER;
    m.dmCopies = 4;
    m.dmOrientation = DMORIENT_LANDSCAPE;
    configurePrinter(*p, m, DM_ORIENTATION);
    EXPECT_EQ(p->copyCount(), 1);
    EXPECT_TRUE(p->pageLayout().pageSize().isEquivalentTo(before));
    EXPECT_EQ(p->pageLayout().orientation(), QPageLayout::Landscape);
}

TEST(QtPrintJobTest, PagesArePlayedIntoTheOutputWhenTheDocumentEnds)
{
    if (!have("pdftotext") || !have("pdfinfo"))
        GTEST_SKIP() << "poppler-utils missing";
    QTemporaryDir dir;
    const QString file = dir.filePath("job.pdf");
    auto p = pdfPrinter(file);
    DevMode m;
    m.dmFields = kAll;
    m.dmPaperSize = DMPAPER_A4;
    configurePrinter(*p, m, kAll);
    QtPrintJob job(std::move(p));
    EXPECT_EQ(job.Caps().logPixelsX, 300);
    job.StartPage();
    LogFont font;
    font.height = -50;
    font.face = "Arial";
    job.Canvas().SelectObject(job.Canvas().CreateFontIndirect(font));
    job.Canvas().TextOut(300, 300, "Kurzmitteilung");
    job.StartPage();
    auto sheet = gdi::EmfRecorder::forPage(gdi::RefDevice::screen(), 794, 1123);
    sheet.TextOut(100, 100, "Seite zwei");
    job.DrawSheet(sheet.Finish(), {0, 0, job.Caps().horzRes, job.Caps().vertRes});
    EXPECT_FALSE(QFile::exists(file)) << "nothing reaches the output before the end";
    job.EndDoc();
    ASSERT_TRUE(QFile::exists(file));
    const std::string path = file.toStdString();
    const std::string text = run("pdftotext '" + path + "' -");
    EXPECT_NE(text.find("Kurzmitteilung"), std::string::npos) << text;
    EXPECT_NE(text.find("Seite zwei"), std::string::npos) << text;
    const std::string info = run("pdfinfo '" + path + "'");
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +2\n"))) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
}

TEST(QtPrintJobTest, AnAbortedJobWritesNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("aborted.pdf");
    QtPrintJob job(pdfPrinter(file));
    job.StartPage();
    job.Canvas().TextOut(10, 10, "weg");
    job.Abort();
    EXPECT_FALSE(QFile::exists(file));
}

TEST(QtPrinterDriverTest, WithoutASpoolerThereAreNoPrinters)
{
    zt::testing::ensureGuiApplication();
    QtPrinterDriver driver;
    for (const auto& p : driver.EnumPrinters())
        EXPECT_FALSE(p.name.empty());
    EXPECT_THROW(driver.DefaultDevMode("no such printer"), PlatformError);
}
