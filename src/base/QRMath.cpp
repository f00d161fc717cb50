#include "base/QRMath.h"

#include <cmath>
#include <limits>

namespace zt::base {

namespace {

std::int64_t clampToInt64(long double v)
{
    constexpr long double lo = static_cast<long double>(std::numeric_limits<std::int64_t>::min());
    constexpr long double hi = static_cast<long double>(std::numeric_limits<std::int64_t>::max());
    if (std::isnan(v))
        return 0;
    if (v <= lo)
        return std::numeric_limits<std::int64_t>::min();
    if (v >= hi)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(v);
}

} // namespace

std::int64_t RoundWide(long double value)
{
    const long double floor = std::floor(value);
    const long double diff = value - floor;
    long double result = floor;
    if (diff > 0.5L || (diff == 0.5L && std::fmod(floor, 2.0L) != 0.0L))
        result = floor + 1.0L;
    return clampToInt64(result);
}

std::int64_t Trunc(long double value)
{
    if (std::fabs(value) < 0x1p62L) {
        // Rounded by the FPU, then stepped back towards zero where that went past.
        std::int64_t r = Round(value);
        const auto back = static_cast<long double>(r);
        if (value >= 0 && back > value)
            --r;
        else if (value < 0 && back < value)
            ++r;
        return r;
    }
    return clampToInt64(std::trunc(value));
}

} // namespace zt::base
