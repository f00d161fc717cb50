#include "platform/core/WinMath.h"

#include <cstdlib>
#include <limits>

namespace zt::platform {

std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = std::int64_t(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::uint64_t p = product < 0 ? std::uint64_t(-product) : std::uint64_t(product);
    const std::uint64_t d = denominator < 0 ? std::uint64_t(-std::int64_t(denominator)) : std::uint64_t(denominator);
    const std::uint64_t q = (p + d / 2) / d;
    if (q > std::uint64_t(std::numeric_limits<std::int32_t>::max()))
        return -1;
    return negative ? -std::int32_t(q) : std::int32_t(q);
}

} // namespace zt::platform
