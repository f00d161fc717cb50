#pragma once
// The engine's papers and paper sources as the printer driver's codes.

#include "base/QRTypes.h"

#include <cstdint>
#include <optional>

namespace zt::pages {

// The driver's paper code of a paper size: the same number for the named
// papers, 256 (user-defined) for Custom, 0 for Default.
std::int32_t PaperCode(report::TQRPaperSize size);
// The first paper size (Default to Custom) with that code; Default for a
// code no paper size has.
report::TQRPaperSize PaperSizeOfCode(std::int32_t code);

// The driver's paper-source code of a bin.
std::int32_t BinCode(report::TQRBin bin);
// The first bin (in the order of TQRBin) with that code.
std::optional<report::TQRBin> BinOfCode(std::int32_t code);

inline constexpr int kBinCount = static_cast<int>(report::TQRBin::Last) + 1;

} // namespace zt::pages
