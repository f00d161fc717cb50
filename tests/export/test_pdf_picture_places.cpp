// Where a picture lands: on the recorded page and in the PDF alike, for a
// picture that is not stretched (its own size from the box's top-left
// corner, cut at the box), for one made for the printer (one dot a pixel,
// read from a printer of 600 dpi), and stretched.

#include "export/PdfExport.h"
#include "pages/QRPrinter.h"
#include "platform/printing/FakePrinterDriver.h"
#include "report/QRShapes.h"
#include "support/PageContent.h"
#include "support/SmallReport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <string>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::PdfFile;
using zt::testing::ScratchFolder;

namespace {

// A Windows bitmap file of w x h pixels, 24 bits, rows bottom-up.
std::string bitmapFile(int w, int h)
{
    const int row = (w * 3 + 3) / 4 * 4;
    const std::uint32_t size = 54 + static_cast<std::uint32_t>(row * h);
    std::string f(size, '\0');
    const auto put = [&](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            f[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    f[0] = 'B';
    f[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(w), 4);
    put(22, static_cast<std::uint32_t>(h), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            put(54 + static_cast<std::size_t>(y * row + x * 3), x % 2 == 0 ? 0x0000FF : 0xFF0000, 3);
    return f;
}

// The picture's place in points from the page's top-left corner.
struct Place {
    long double left = 0, top = 0, width = 0, height = 0;
};

class PicturePlaces : public zt::testing::SmallReportTest {
protected:
    // A picture of w x h pixels in a box 30 by 20 mm, 20 mm from the left
    // edge and 10 mm down in a band at the top margin.
    TQRImage* image(int w, int h)
    {
        auto* i = new TQRImage(&form);
        i->SetParent(band(rbDetail, 60));
        i->Size().SetLeft(20);
        i->Size().SetTop(10);
        i->Size().SetWidth(30);
        i->Size().SetHeight(20);
        const std::string file = bitmapFile(w, h);
        TQRPicture p;
        p.Data.assign(file.begin(), file.end());
        i->SetPicture(p);
        return i;
    }
    // Where the recorded page draws it, in points.
    Place onThePage(zt::testing::PagePicture* drawn = nullptr)
    {
        rep->Prepare();
        const auto page = zt::testing::readPageContent(*rep->QRPrinter->GetPage(1));
        EXPECT_EQ(page.pictureBoxes.size(), 1u);
        if (page.pictureBoxes.empty())
            return {};
        const zt::testing::PagePicture& b = page.pictureBoxes[0];
        if (drawn != nullptr)
            *drawn = b;
        constexpr long double pt = 72.0L / 96.0L;
        return {b.x * pt, b.y * pt, b.width * pt, b.height * pt};
    }
    // Where the PDF draws the picture's own pixels: the image's top-left
    // corner and, of its bitmap, as much as the picture covers.
    Place inThePdf(int pictureW, int pictureH)
    {
        TQRPDFDocumentFilter::SetSuppressDateTime(true);
        const PdfFile doc = zt::testing::exportPdf(*rep, scratch.file("bild.pdf"));
        TQRPDFDocumentFilter::SetSuppressDateTime(false);
        const std::string content = doc.streamOf(5);
        std::smatch m, wm, hm;
        EXPECT_TRUE(std::regex_search(content, m, std::regex("q (\\d+) 0 0 (\\d+) (\\d+) (\\d+) cm")));
        EXPECT_TRUE(std::regex_search(content, wm, std::regex("/Width (\\d+)")));
        EXPECT_TRUE(std::regex_search(content, hm, std::regex("/Height (\\d+)")));
        if (m.empty() || wm.empty() || hm.empty())
            return {};
        const long double w = std::stold(m[1]), h = std::stold(m[2]);
        const long double x = std::stold(m[3]), y = std::stold(m[4]);
        const int bw = std::stoi(wm[1]), bh = std::stoi(hm[1]);
        const long double pageHeight = 842;
        return {x, pageHeight - (y + h), w / bw * std::min(pictureW, bw), h / bh * std::min(pictureH, bh)};
    }
    static void expectAlike(const Place& page, const Place& pdf)
    {
        // The PDF writes whole points, the page whole pixels.
        EXPECT_NEAR(page.left, pdf.left, 1.0);
        EXPECT_NEAR(page.top, pdf.top, 1.0);
        EXPECT_NEAR(page.width, pdf.width, 1.0);
        EXPECT_NEAR(page.height, pdf.height, 1.0);
    }
    ScratchFolder scratch{"pdf-picture-places"};
};

TEST_F(PicturePlaces, ASmallPictureKeepsItsSizeAtTheBoxsCornerOnThePageAndInThePdf)
{
    image(40, 20);
    zt::testing::PagePicture drawn;
    const Place page = onThePage(&drawn);
    // One picture pixel a screen pixel, not stretched over the box.
    EXPECT_EQ(drawn.width, 40);
    EXPECT_EQ(drawn.height, 20);
    EXPECT_EQ(drawn.x, static_cast<int>(Round((100 + 200) * 96.0L / 254.0L)));
    EXPECT_EQ(drawn.y, static_cast<int>(Round((100 + 100) * 96.0L / 254.0L)));
    expectAlike(page, inThePdf(40, 20));
}

TEST_F(PicturePlaces, ALargePictureIsCutAtItsBoxOnThePageAndInThePdf)
{
    TQRImage* i = image(400, 300);
    zt::testing::PagePicture drawn;
    const Place page = onThePage(&drawn);
    EXPECT_EQ(drawn.bitmapWidth, i->Width());
    EXPECT_EQ(drawn.bitmapHeight, i->Height());
    expectAlike(page, inThePdf(400, 300));
}

TEST_F(PicturePlaces, AStretchedPictureFillsItsBoxOnThePageAndInThePdf)
{
    TQRImage* i = image(40, 20);
    i->Stretch = true;
    const Place page = onThePage();
    EXPECT_NEAR(page.width, 300 * 72.0L / 254.0L, 1.0);
    expectAlike(page, inThePdf(i->Width(), i->Height()));
}

TEST_F(PicturePlaces, APrinterPictureTakesOneDotAPixelOfThePrintersOwnResolution)
{
    const auto driver = zt::platform::printing::installFakePrinterDriver(); // 600 dpi
    struct Restore {
        ~Restore() { zt::platform::printing::setPrinterDriver(nullptr); }
    } restore;
    TQRImage* i = image(400, 300);
    i->Tag = 12345;
    zt::testing::PagePicture drawn;
    const Place page = onThePage(&drawn);
    // 96 screen pixels an inch shrink to 600 dots: the box-sized part
    // drawn at 96/600 of its size.
    EXPECT_NEAR(drawn.width, i->Width() * 96.0 / 600.0, 1.0);
    EXPECT_NEAR(drawn.height, i->Height() * 96.0 / 600.0, 1.0);
    expectAlike(page, inThePdf(400, 300));
}

TEST_F(PicturePlaces, APrinterPictureWithoutAPrinterKeepsTheScreensSize)
{
    TQRImage* i = image(400, 300);
    i->Tag = 12345;
    zt::testing::PagePicture drawn;
    const Place page = onThePage(&drawn);
    EXPECT_EQ(drawn.width, i->Width());
    expectAlike(page, inThePdf(400, 300));
}

} // namespace
