#pragma once
// The report's reference context for measuring text: a screen-compatible
// context at the screen resolution, backed by the one font service.

#include "report/QRGraphics.h"

#include <string>

namespace zt::report {

class TQRReferenceDC {
public:
    explicit TQRReferenceDC(int dpi = kScreenPixelsPerInch) : FDpi(dpi) {}
    int PixelsPerInch() const { return FDpi; }
    // Extent of the text plus 1; 0 when measuring fails.
    int TextWidth(const TQRFont& font, const std::string& utf8) const;
    // The font's line height (the height of a measured extent); 0 on failure.
    int TextHeight(const TQRFont& font) const;

private:
    int FDpi;
};

} // namespace zt::report
