#include "report/QRMath.h"

#include <cmath>
#include <limits>

namespace zt::report {

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

std::int64_t Round(long double value)
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
    return clampToInt64(std::trunc(value));
}

} // namespace zt::report
