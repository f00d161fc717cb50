#pragma once
// The report's reference context for measuring text: a screen-compatible
// context at the screen resolution, backed by the one font service.

#include "report/QRGraphics.h"

#include <memory>
#include <string>

namespace zt::platform {
class Font;
}

namespace zt::report {

class TQRReferenceDC {
public:
    explicit TQRReferenceDC(int dpi = kScreenPixelsPerInch) : FDpi(dpi) {}
    int PixelsPerInch() const { return FDpi; }
    // The font realised in this context. A font that cannot be realised
    // raises the font service's error: a width of 0 would silently put
    // every word on a line of its own.
    std::shared_ptr<const platform::Font> FontFor(const TQRFont& font) const;
    // Extent of the text plus 1.
    int TextWidth(const TQRFont& font, const std::string& utf8) const;
    // The font's line height (the height of a measured extent).
    int TextHeight(const TQRFont& font) const;

private:
    int FDpi;
};

} // namespace zt::report
