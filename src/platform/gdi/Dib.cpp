#include "platform/gdi/EmfBytes.h"
#include "platform/gdi/EmfPlayer.h"

#include <cstdlib>

namespace zt::platform::gdi {

namespace {

// Far beyond any page picture; keeps a hostile header from asking for gigabytes.
constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

std::uint32_t fromMask(std::uint32_t v, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!(mask & 1u)) {
        mask >>= 1;
        ++shift;
    }
    const std::uint32_t bits = (v >> shift) & mask;
    return mask >= 255 ? (bits * 255 + mask / 2) / mask : (bits * 255) / mask;
}

} // namespace

std::optional<Bitmap> decodeDib(const std::uint8_t* bmi, std::size_t bmiSize, const std::uint8_t* bits,
                                std::size_t bitsSize)
{
    if (!bmi || bmiSize < 40)
        return std::nullopt;
    const std::uint32_t headerSize = readU32(bmi);
    if (headerSize < 40 || headerSize > bmiSize)
        return std::nullopt;
    const std::int32_t width = readI32(bmi + 4);
    const std::int32_t rawHeight = readI32(bmi + 8);
    const std::uint16_t bitCount = readU16(bmi + 14);
    const std::uint32_t compression = readU32(bmi + 16);
    std::uint32_t colorsUsed = readU32(bmi + 32);
    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN)
        return std::nullopt;
    const bool topDown = rawHeight < 0;
    const std::int32_t height = std::abs(rawHeight);
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixels)
        return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return std::nullopt;
    if (compression != 0 && !(compression == 3 && (bitCount == 16 || bitCount == 32)))
        return std::nullopt; // run-length and embedded JPEG/PNG pictures are not drawn

    // Colour masks for 16 and 32 bits.
    std::uint32_t rMask = 0x00FF0000, gMask = 0x0000FF00, bMask = 0x000000FF;
    if (bitCount == 16) {
        rMask = 0x7C00;
        gMask = 0x03E0;
        bMask = 0x001F;
    }
    if (compression == 3) {
        if (headerSize + 12 > bmiSize && headerSize < 52)
            return std::nullopt;
        const std::uint8_t* m = headerSize >= 52 ? bmi + 40 : bmi + headerSize;
        rMask = readU32(m);
        gMask = readU32(m + 4);
        bMask = readU32(m + 8);
    }

    // Colour table for palettes.
    std::vector<std::uint32_t> palette;
    if (bitCount <= 8) {
        const std::uint32_t maxColors = 1u << bitCount;
        if (colorsUsed == 0 || colorsUsed > maxColors)
            colorsUsed = maxColors;
        if (headerSize + std::uint64_t(colorsUsed) * 4 > bmiSize)
            return std::nullopt;
        palette.resize(maxColors, 0xFF000000);
        for (std::uint32_t i = 0; i < colorsUsed; ++i) {
            const std::uint8_t* q = bmi + headerSize + i * 4;
            palette[i] = 0xFF000000u | std::uint32_t(q[2]) << 16 | std::uint32_t(q[1]) << 8 | q[0];
        }
    }

    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    if (!bits || rowBytes * static_cast<std::uint64_t>(height) > bitsSize)
        return std::nullopt;

    Bitmap out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = bits + rowBytes * static_cast<std::uint64_t>(topDown ? y : height - 1 - y);
        std::uint32_t* dst = out.pixels.data() + static_cast<std::size_t>(y) * width;
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint32_t px = 0;
            switch (bitCount) {
            case 1: px = palette[(row[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: px = palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F]; break;
            case 8: px = palette[row[x]]; break;
            case 16: {
                const std::uint32_t v = readU16(row + 2 * x);
                px = 0xFF000000u | fromMask(v, rMask) << 16 | fromMask(v, gMask) << 8 | fromMask(v, bMask);
                break;
            }
            case 24: px = 0xFF000000u | std::uint32_t(row[3 * x + 2]) << 16 | std::uint32_t(row[3 * x + 1]) << 8 | row[3 * x]; break;
            case 32: {
                const std::uint32_t v = readU32(row + 4 * x);
                px = 0xFF000000u | fromMask(v, rMask) << 16 | fromMask(v, gMask) << 8 | fromMask(v, bMask);
                break;
            }
            }
            dst[x] = px;
        }
    }
    return out;
}

} // namespace zt::platform::gdi
