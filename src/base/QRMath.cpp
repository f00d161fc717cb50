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

namespace {

// Rounds to an integer with the FPU's own nearest-even rounding (llrintl
// stores the value as an integer in the current rounding mode, which is
// nearest-even). It avoids floor and the long double to integer conversion,
// both of which switch the FPU's rounding mode, a stall that dominated the
// run's time. Only for |v| < 2^62, where the result fits with room to spare.
bool roundFast(long double value, std::int64_t& out)
{
    if (!(std::fabs(value) < 0x1p62L))
        return false;
    out = std::llrintl(value);
    return true;
}

} // namespace

std::int64_t RoundWide(long double value)
{
    if (std::int64_t fast = 0; roundFast(value, fast))
        return fast;
    const long double floor = std::floor(value);
    const long double diff = value - floor;
    long double result = floor;
    if (diff > 0.5L || (diff == 0.5L && std::fmod(floor, 2.0L) != 0.0L))
        result = floor + 1.0L;
    return clampToInt64(result);
}

std::int64_t Trunc(long double value)
{
    if (std::int64_t r = 0; roundFast(value, r)) {
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
