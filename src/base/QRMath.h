#pragma once
// The two roundings every conversion of the engine uses: Round to the nearest
// integer with halves to even, and Trunc dropping the fraction. Lengths are
// kept as long double tenths of a millimetre.

#include <cstdint>

namespace zt::base {

using Native = long double;

std::int64_t Trunc(long double value);

// Round for a value the FPU cannot store as an integer at once: out of
// range, or not a number.
std::int64_t RoundWide(long double value);

// Inline: the engine rounds several times for every line it places. The
// FPU stores the value as an integer in its rounding mode, nearest-even,
// without switching modes as a conversion does.
inline std::int64_t Round(long double value)
{
    if (!(__builtin_fabsl(value) < 0x1p62L))
        return RoundWide(value);
#if defined(__x86_64__) || defined(__i386__)
    long long stored;
    __asm__("fistpll %0" : "=m"(stored) : "t"(value) : "st");
    return stored;
#else
    return __builtin_llrintl(value);
#endif
}

} // namespace zt::base

// The report engine builds on these and names them as its own.
namespace zt::report {
using namespace zt::base;
}
