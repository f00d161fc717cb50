#pragma once
// A drawing surface with a current font, pen and brush on top of a recording
// device context. Objects are created when a property changes and selected
// before the call that needs them, so a page records only what it uses.

#include "platform/gdi/EmfRecorder.h"

#include <cstdint>
#include <string_view>

namespace zt::platform::gdi {

struct CanvasPen {
    ColorRef color = 0;
    std::uint32_t style = PS_SOLID;
    std::int32_t width = 1;
    bool operator==(const CanvasPen&) const = default;
};

struct CanvasBrush {
    ColorRef color = 0xFFFFFF;
    std::uint32_t style = BS_SOLID;
    std::uint32_t hatch = 0;
    bool operator==(const CanvasBrush&) const = default;
};

class TCanvas {
public:
    // A canvas on no device draws nothing; Bind attaches it to a page. The
    // objects of an earlier page are forgotten, as that page is finished.
    void Bind(EmfRecorder* device);
    EmfRecorder* Device() const { return device_; }
    int PixelsPerInchY() const;

    void SetFont(const LogFont& font, ColorRef color);
    const LogFont& Font() const { return font_; }
    void SetPen(const CanvasPen& pen);
    const CanvasPen& Pen() const { return pen_; }
    void SetBrush(const CanvasBrush& brush);
    const CanvasBrush& Brush() const { return brush_; }

    void FillRect(const EmfRect& r);
    void Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);
    void Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);
    void RoundRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::int32_t w, std::int32_t h);
    void MoveTo(std::int32_t x, std::int32_t y);
    void LineTo(std::int32_t x, std::int32_t y);
    // Text with the alignment flags and a transparent background.
    void TextOut(std::int32_t x, std::int32_t y, std::uint32_t align, std::string_view utf8);

    // Measuring with the current font on this device; 0 without a device.
    int TextWidth(std::string_view utf8);
    int TextHeight(std::string_view utf8);

private:
    void selectFont();
    void selectPen();
    void selectBrush();

    EmfRecorder* device_ = nullptr;
    LogFont font_;
    ColorRef textColor_ = 0;
    CanvasPen pen_;
    CanvasBrush brush_;
    Handle fontHandle_ = 0, penHandle_ = 0, brushHandle_ = 0;
    bool fontDirty_ = true, penDirty_ = true, brushDirty_ = true;
    std::uint32_t align_ = TA_LEFT | TA_TOP;
    bool alignSet_ = false, colorSet_ = false, modeSet_ = false;
};

} // namespace zt::platform::gdi
