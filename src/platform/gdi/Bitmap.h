#pragma once

#include <cstdint>
#include <vector>

namespace zt::platform::gdi {

// Pixels, top-down rows, 0xAARRGGBB.
struct Bitmap {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;
};

} // namespace zt::platform::gdi
