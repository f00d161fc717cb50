#pragma once
// The two roundings every conversion of the engine uses: Round to the nearest
// integer with halves to even, and Trunc dropping the fraction. Lengths are
// kept as long double tenths of a millimetre.

#include <cstdint>

namespace zt::report {

using Native = long double;

std::int64_t Round(long double value);
std::int64_t Trunc(long double value);

} // namespace zt::report
