// The image data encoders: ASCII85 with its short forms and line breaks,
// LZW in the decode filter's code format, and the RGB bytes of a bitmap.

#include "export/QRPDFEncoders.h"
#include "export/QRPDFImages.h"
#include "base/QRError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <random>

using namespace zt::report;
using namespace zt::exporting;
using Bytes = std::vector<std::uint8_t>;

namespace {

TEST(ASCII85, FourZeroBytesAreOneZ)
{
    EXPECT_EQ(ASCII85Encode(Bytes{0, 0, 0, 0}), "z~>");
    EXPECT_EQ(ASCII85Encode(Bytes{}), "~>");
}

TEST(ASCII85, ShortGroupsWriteOneMoreCharacterThanBytesAndNeverZ)
{
    EXPECT_EQ(ASCII85Encode(Bytes{0}), "!!~>");
    EXPECT_EQ(ASCII85Encode(Bytes{0, 0, 0}), "!!!!~>");
    // "Man " is the classic group.
    EXPECT_EQ(ASCII85Encode(Bytes{'M', 'a', 'n', ' '}), "9jqo^~>");
    EXPECT_EQ(ASCII85Encode(Bytes{0xFF, 0xFF, 0xFF, 0xFF}), "s8W-!~>");
}

TEST(ASCII85, BreaksTheLineOnceMoreThan200CharactersWereWritten)
{
    const std::string s = ASCII85Encode(Bytes(4 * 41, 0x41));
    const std::size_t br = s.find("\r\n");
    ASSERT_NE(br, std::string::npos);
    EXPECT_EQ(br, 205u);  // 41 groups of five: 205 > 200
    EXPECT_EQ(s.find("\r\n", br + 2), std::string::npos);
    // A "z" counts as five.
    const std::string z = ASCII85Encode(Bytes(4 * 41, 0));
    EXPECT_EQ(z.find("\r\n"), 41u);
}

TEST(LZW, SmallInputsHaveTheirExactCodes)
{
    // Clear (256), 'A' (65), end (257), each 9 bits, padded with zeros.
    EXPECT_EQ(LZWEncode(Bytes{'A'}), (Bytes{0x80, 0x10, 0x60, 0x20}));
    EXPECT_EQ(LZWDecode(LZWEncode(Bytes{})), Bytes{});
}

TEST(LZW, RoundTripsThroughTheWidthChangesAndTableResets)
{
    std::mt19937 gen(7);
    Bytes noisy(60000);
    for (auto& b : noisy)
        b = static_cast<std::uint8_t>(gen() % 7);
    EXPECT_EQ(LZWDecode(LZWEncode(noisy)), noisy);
    Bytes runs(200000, 0xFF);
    const Bytes packed = LZWEncode(runs);
    EXPECT_LT(packed.size(), runs.size() / 50);
    EXPECT_EQ(LZWDecode(packed), runs);
}

TEST(LZW, DecoderRejectsTruncatedAndImpossibleCodes)
{
    Bytes packed = LZWEncode(Bytes{'a', 'b', 'c'});
    packed.pop_back();
    packed.pop_back();
    EXPECT_THROW(LZWDecode(packed), EQRError);
    // Clear, then code 300 with no table behind it.
    EXPECT_THROW(LZWDecode(Bytes{0x80, 0x4B, 0x00, 0x00}), EQRError);
}

TEST(ImageData, OneWhitePixelIsThreeFFBytes)
{
    zt::platform::gdi::Bitmap white{1, 1, {0xFFFFFFFFu}};
    EXPECT_EQ(PDFImageRGB(white), (Bytes{0xFF, 0xFF, 0xFF}));
    zt::platform::gdi::Bitmap two{2, 1, {0xFF102030u, 0xFF405060u}};
    EXPECT_EQ(PDFImageRGB(two), (Bytes{0x10, 0x20, 0x30, 0x40, 0x50, 0x60}));
    const TPDFImageData plain = PDFEncodeImage(white, false);
    EXPECT_EQ(plain.filter, "/ASCII85Decode");
    EXPECT_EQ(plain.data, "s8W*~>");
    EXPECT_EQ(PDFEncodeImage(white, true).filter, "/ASCII85Decode /LZWDecode");
}

TEST(ImageData, AControlOfUsualSizeGetsItsPixelsOneForOne)
{
    const zt::platform::gdi::Bitmap two{2, 1, {0xFFFF0000u, 0xFF0000FFu}};
    const auto stretched = PDFControlBitmap(two, 40, 20, true);
    EXPECT_EQ(stretched.pixels, PDFStretchBitmap(two, 40, 20).pixels);
    const auto placed = PDFControlBitmap(two, 40, 20, false);
    EXPECT_EQ(placed.pixels, PDFPlaceBitmap(two, 40, 20).pixels);
}

TEST(ImageData, AControlOfNoWidthButEndlessHeightHasNoPixelsAndCostsNothing)
{
    // A hostile report's image of width 0 (or less) and two thousand million
    // rows once walked every row for nothing: seconds per image.
    const zt::platform::gdi::Bitmap two{2, 1, {0xFFFF0000u, 0xFF0000FFu}};
    const auto start = std::chrono::steady_clock::now();
    for (const bool stretch : {true, false}) {
        EXPECT_TRUE(PDFControlBitmap(two, 0, INT_MAX, stretch).pixels.empty());
        EXPECT_TRUE(PDFControlBitmap(two, -1, INT_MAX, stretch).pixels.empty());
        EXPECT_TRUE(PDFControlBitmap(two, INT_MAX, 0, stretch).pixels.empty());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(ImageData, AHugeControlIsSampledDownKeepingItsShapeAndPicture)
{
    const zt::platform::gdi::Bitmap two{2, 1, {0xFFFF0000u, 0xFF0000FFu}};
    const auto b = PDFControlBitmap(two, 30000, 15000, true);
    EXPECT_LE(static_cast<std::int64_t>(b.width) * b.height, kPDFMaxImagePixels);
    EXPECT_NEAR(static_cast<double>(b.width) / b.height, 2.0, 0.01);
    EXPECT_EQ(b.pixels.front(), 0xFFFF0000u);
    EXPECT_EQ(b.pixels.back(), 0xFF0000FFu);
    // Placed, the picture keeps its corner and the rest is white.
    const auto p = PDFControlBitmap(two, 30000, 30000, false);
    EXPECT_LE(static_cast<std::int64_t>(p.width) * p.height, kPDFMaxImagePixels);
    EXPECT_EQ(p.pixels.front(), 0xFFFF0000u);
    EXPECT_EQ(p.pixels.back(), 0xFFFFFFFFu);
}

} // namespace
