#pragma once
// Font, pen and brush values of the engine, modelled on the platform's
// logical objects: a font keeps its pixel height like a logical font does,
// and its point size is derived from it at the font's own resolution.

#include "base/QRTypes.h"

#include <string>

namespace zt::platform {
struct LogFont;
}

namespace zt::report {

// Pixels per inch of the screen that the design mirror and text measuring use.
inline constexpr int kScreenPixelsPerInch = 96;

struct TQRFont {
    std::string Name = "Arial";
    int Height = -13;                // negative: character height in pixels at PixelsPerInch
    int PixelsPerInch = kScreenPixelsPerInch;
    TFontStyles Style = 0;
    TColor Color = clBlack;
    int Charset = 1;                 // DEFAULT_CHARSET

    // Point size, as the platform derives it from the pixel height.
    int Size() const;
    void SetSize(int points);
    bool Has(TFontStyle s) const { return (Style & s) != 0; }

    // The logical font that measures this font on a device of `dpi` pixels per inch.
    platform::LogFont ToLogFont(int dpi) const;

    bool operator==(const TQRFont&) const = default;
};

struct TQRPen {
    TColor Color = clBlack;
    TPenStyle Style = TPenStyle::psSolid;
    int Width = 1;
    bool operator==(const TQRPen&) const = default;
};

struct TQRBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    bool operator==(const TQRBrush&) const = default;
};

} // namespace zt::report
