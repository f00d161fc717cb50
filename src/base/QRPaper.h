#pragma once
// The named papers: dimensions in millimetres (portrait) and stored names.

#include "base/QRTypes.h"

#include <optional>
#include <string_view>

namespace zt::base {

struct TQRPaperDimensions {
    long double Width;   // mm
    long double Length;  // mm
};

inline constexpr int kNamedPaperCount = 68;

// Dimensions of a named paper; nullopt for Default and Custom.
std::optional<TQRPaperDimensions> PaperDimensions(TQRPaperSize size);

bool IsNamedPaper(TQRPaperSize size);

// The stored name of a paper size ("A4", "qr10X14", "Default", "Custom").
std::string_view PaperSizeName(TQRPaperSize size);
std::optional<TQRPaperSize> PaperSizeFromName(std::string_view name);

// The paper size of a Windows paper code 1..68; nullopt for any other code.
std::optional<TQRPaperSize> PaperSizeFromCode(int code);

} // namespace zt::base

// The report engine builds on these and names them as its own.
namespace zt::report {
using namespace zt::base;
}
