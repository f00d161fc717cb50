#pragma once
// Integer helpers with the exact rounding of their Windows namesakes, so that
// sizes computed here match those computed on Windows.

#include <cstdint>

namespace zt::platform {

// number * numerator / denominator with a 64-bit intermediate, rounded to the
// nearest integer with halves away from zero; -1 when denominator is 0 or the
// result does not fit in 32 bits.
std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

// The character height (negative, as a logical font wants it) of a point size
// at a resolution: -MulDiv(points, dpi, 72).
inline std::int32_t pointsToLogicalHeight(std::int32_t points, std::int32_t dpi)
{
    return -MulDiv(points, dpi, 72);
}

} // namespace zt::platform
