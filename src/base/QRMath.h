#pragma once
// The two roundings every conversion of the engine uses: Round to the nearest
// integer with halves to even, and Trunc dropping the fraction. Lengths are
// kept as long double tenths of a millimetre.

#include <cstdint>

namespace zt::base {

using Native = long double;

std::int64_t Round(long double value);
std::int64_t Trunc(long double value);

} // namespace zt::base

// The report engine builds on these and names them as its own.
namespace zt::report {
using namespace zt::base;
}
