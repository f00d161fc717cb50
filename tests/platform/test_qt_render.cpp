#include "platform/core/WinMath.h"
#include "platform/fonts/FontService.h"
#include "platform/gdi/EmfRecorder.h"
#include "platform/qt/QtRenderTarget.h"
#include "support/RawEmf.h"

#include "support/QtTestApp.h"

#include <gtest/gtest.h>

using namespace zt::platform;
using namespace zt::platform::gdi;
using namespace zt::platform::qt;

namespace {

int darkPixels(const QImage& img, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ++n;
    return n;
}

TMetafile samplePage()
{
    auto rec = EmfRecorder::forPage(RefDevice::screen(), 300, 120);
    LogFont lf;
    lf.face = "Arial";
    lf.height = pointsToLogicalHeight(12, 96);
    rec.SelectObject(rec.CreateFontIndirect(lf));
    rec.SetBkMode(TRANSPARENT);
    rec.TextOut(20, 10, "Kurzmitteilung");
    rec.SelectObject(rec.CreateBrushIndirect(BS_SOLID, rgb(0, 0, 0)));
    rec.FillRect({200, 60, 260, 100});
    rec.SelectObject(kStockObject | NULL_BRUSH);
    rec.Rectangle(10, 60, 110, 110);
    return rec.Finish();
}

} // namespace

class QtRender : public ::testing::Test {
protected:
    static void SetUpTestSuite() { zt::testing::ensureGuiApplication(); }
};

TEST_F(QtRender, PageRendersAtOnePixelPerDeviceUnit)
{
    const TMetafile page = samplePage();
    EXPECT_EQ(pageSizeInDevicePixels(page), QSize(300, 120));
    const QImage img = renderPage(page);
    ASSERT_EQ(img.size(), QSize(300, 120));

    // The filled block is solid, its surroundings white.
    EXPECT_EQ(darkPixels(img, QRect(201, 61, 58, 38)), 58 * 38);
    EXPECT_EQ(darkPixels(img, QRect(262, 60, 30, 40)), 0);
    // The rectangle's outline lies inside its right and bottom edges, as GDI draws it.
    EXPECT_LT(qGray(img.pixel(10, 80)), 128);
    EXPECT_LT(qGray(img.pixel(109, 80)), 128);
    EXPECT_GT(qGray(img.pixel(110, 80)), 128);
    EXPECT_LT(qGray(img.pixel(50, 109)), 128);
    EXPECT_EQ(darkPixels(img, QRect(12, 62, 96, 46)), 0) << "no brush inside";
}

TEST_F(QtRender, TextLandsWhereItWasMeasured)
{
    const TMetafile page = samplePage();
    const QImage img = renderPage(page);
    LogFont lf;
    lf.face = "Arial";
    lf.height = pointsToLogicalHeight(12, 96);
    const auto font = FontService::instance().font(lf);
    const int width = font->textWidth("Kurzmitteilung");
    const int height = font->metrics().height;
    // Ink inside the measured box, none to its right or below it.
    EXPECT_GT(darkPixels(img, QRect(20, 10, width, height)), 50);
    EXPECT_EQ(darkPixels(img, QRect(20 + width + 2, 10, 40, height)), 0);
    EXPECT_EQ(darkPixels(img, QRect(20, 10 + height + 1, width, 20)), 0);
    // The first glyph starts at the text's origin.
    EXPECT_GT(darkPixels(img, QRect(20, 10, 3, height)), 0);
    EXPECT_EQ(darkPixels(img, QRect(10, 10, 9, height)), 0);
}

TEST_F(QtRender, StretchedIntoALargerImage)
{
    const QImage img = renderPage(samplePage(), QSize(600, 240));
    EXPECT_EQ(darkPixels(img, QRect(402, 122, 116, 76)), 116 * 76);
    EXPECT_EQ(darkPixels(img, QRect(524, 120, 40, 80)), 0);
}

namespace {

// An A4 page as a Windows program records it on a 1920 x 1080 screen of
// 508 x 285.75 mm: the header states 286 whole millimetres.
TMetafile windowsA4Page()
{
    std::vector<std::uint8_t> bytes = zt::testing::RawEmf(794, 1123).finish();
    const auto put = [&](std::size_t at, std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
    };
    put(24, 0);
    put(28, 0);
    put(32, 21000);
    put(36, 29700);
    put(72, 1920);
    put(76, 1080);
    put(80, 508);
    put(84, 286);
    put(100, 508000);
    put(104, 285750);
    return TMetafile::FromBytes(bytes);
}

} // namespace

// The second face of a collection (Debian's fonts-wqy-microhei) draws its
// own glyphs, not those of the file's first face.
TEST_F(QtRender, AFaceOfACollectionDrawsItsOwnGlyphs)
{
    const auto page = [](const std::string& face) {
        auto rec = EmfRecorder::forPage(RefDevice::screen(), 120, 60);
        LogFont lf;
        lf.face = face;
        lf.height = -40;
        rec.SelectObject(rec.CreateFontIndirect(lf));
        rec.SetBkMode(TRANSPARENT);
        rec.TextOut(10, 5, "i");
        return renderPage(rec.Finish());
    };
    ASSERT_EQ(FontService::instance().resolve("WenQuanYi Micro Hei Mono", false, false).index, 1)
        << "Debian's fonts-wqy-microhei is not installed";
    const QImage first = page("WenQuanYi Micro Hei"), second = page("WenQuanYi Micro Hei Mono");
    EXPECT_GT(darkPixels(second, second.rect()), 20);
    EXPECT_NE(first, second);
}

TEST(QtRenderSize, PagesRecordedOnAWideScreenKeepTheirHeight)
{
    const TMetafile page = windowsA4Page();
    EXPECT_EQ(page.Width(), 794);
    EXPECT_EQ(page.Height(), 1123);
    EXPECT_EQ(pageSizeInDevicePixels(page), QSize(794, 1123));
}
