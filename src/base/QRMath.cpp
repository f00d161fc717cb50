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

// Rounds to an integer with the FPU's own nearest-even rounding: adding 1.5 *
// 2^63 leaves no fraction bits in the 64-bit mantissa. It avoids floor and
// the long double to integer conversion, both of which switch the FPU's
// rounding mode, a stall that dominated the run's time. Only for |v| < 2^52,
// where the integral result also converts to double exactly.
constexpr long double magic = 0x1.8p63L;

// Whether long double arithmetic really keeps 64 mantissa bits here (an
// emulator such as valgrind computes it in double precision).
bool extendedPrecision()
{
    volatile long double m = magic;
    volatile long double half = 0.5L, oneAndHalf = 1.5L, nearHalf = 2.5L + 0x1p-40L;
    return (half + m) - m == 0.0L && (oneAndHalf + m) - m == 2.0L && (nearHalf + m) - m == 3.0L;
}

bool roundFast(long double value, std::int64_t& out)
{
    static const bool usable = extendedPrecision();
    if (!usable || !(std::fabs(value) < 0x1p52L))
        return false;
    // Kept in the FPU's registers: a round trip of the 80-bit sum through
    // memory costs more than the rest of the rounding.
    const long double r = (value + magic) - magic;
    out = static_cast<std::int64_t>(static_cast<double>(r));
    return true;
}

} // namespace

std::int64_t Round(long double value)
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
