#pragma once
// The recording canvas: a GDI-like device context that writes every call as
// an enhanced-metafile record. Coordinates are the reference device's pixels
// (MM_TEXT); text is measured by the font service at that device's resolution
// and recorded with its spacing array, so every player puts each character
// where it was measured.

#include "platform/fonts/FontService.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/EmfRecords.h"
#include "platform/gdi/Metafile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace zt::platform::gdi {

// The device a metafile is recorded for: its size in pixels and millimetres
// (the header's szlDevice and szlMillimeters).
struct RefDevice {
    std::int32_t widthPx = 0, heightPx = 0;
    std::int32_t widthMM = 0, heightMM = 0;

    // A 96 pixels-per-inch screen, the reference of recorded pages.
    static RefDevice screen();
    // A page-sized device at `dpi` (a printer).
    static RefDevice page(std::int32_t widthPx, std::int32_t heightPx, std::int32_t dpiX, std::int32_t dpiY);
    std::int32_t dpiX() const;
    std::int32_t dpiY() const;
};

using Handle = std::uint32_t;

class EmfRecorder {
public:
    // `frame` is the picture's frame in 0.01 mm (inclusive, as the header keeps it).
    EmfRecorder(RefDevice device, EmfRect frame);
    // A page of `widthPx` x `heightPx` reference pixels.
    static EmfRecorder forPage(RefDevice device, std::int32_t widthPx, std::int32_t heightPx);

    const RefDevice& Device() const { return device_; }

    // Objects; the handles are the metafile's object-table indexes (from 1).
    Handle CreateFontIndirect(const LogFont& font);
    Handle CreatePen(std::uint32_t style, std::int32_t width, ColorRef color);
    Handle CreateBrushIndirect(std::uint32_t style, ColorRef color, std::uint32_t hatch = 0);
    void SelectObject(Handle handle);     // kStockObject | n for stock objects
    void DeleteObject(Handle handle);

    void SetBkMode(std::uint32_t mode);
    void SetTextAlign(std::uint32_t align);
    void SetTextColor(ColorRef color);

    void MoveTo(std::int32_t x, std::int32_t y);
    void LineTo(std::int32_t x, std::int32_t y);
    void Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);
    void Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);
    void RoundRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::int32_t w, std::int32_t h);
    // Fills with the selected brush (a pattern block transfer, as FillRect records).
    void FillRect(const EmfRect& rect);

    void TextOut(std::int32_t x, std::int32_t y, std::string_view utf8);
    // `dx` (one advance per UTF-16 unit) defaults to the font service's advances.
    void ExtTextOut(std::int32_t x, std::int32_t y, std::uint32_t options, const EmfRect* rect, std::string_view utf8,
                    const std::vector<std::int32_t>* dx = nullptr);

    void IntersectClipRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);
    void SaveDC();
    void RestoreDC(std::int32_t relative = -1);

    // Draws the bitmap stretched into `dest`.
    void StretchDraw(const EmfRect& dest, const Bitmap& bitmap);

    // Measuring with the selected font at the reference device.
    std::shared_ptr<const Font> CurrentFont() const;
    TextSize TextExtent(std::string_view utf8) const;

    // Writes the end record and the final header; the recorder is spent.
    TMetafile Finish();

private:
    // A record being written: where it starts, for its size at the end.
    struct Record {
        std::size_t start;
    };
    Record begin(std::uint32_t type);
    void end(Record& r);
    void addBounds(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);
    void addPenBounds(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);
    Handle allocHandle();
    std::shared_ptr<const Font> resolveFont() const;
    void simple(std::uint32_t type, std::uint32_t value);
    void box(std::uint32_t type, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);

    enum class ObjectKind { None, Font, Pen, Brush };
    struct Object {
        ObjectKind kind = ObjectKind::None;
        LogFont font;
        std::int32_t penWidth = 0;
    };
    struct State {
        Handle font = kStockObject | SYSTEM_FONT;
        Handle pen = kStockObject | BLACK_PEN;
        Handle brush = kStockObject | WHITE_BRUSH;
        std::uint32_t textAlign = TA_LEFT | TA_TOP;
        EmfPoint position;
    };

    RefDevice device_;
    EmfRect frame_;
    std::vector<std::uint8_t> bytes_;
    std::uint32_t records_ = 0;
    std::vector<Object> objects_;     // index = handle
    std::size_t maxHandle_ = 0;
    State state_;
    std::vector<State> saved_;
    std::optional<EmfRect> bounds_;
    bool finished_ = false;
    mutable std::shared_ptr<const Font> currentFont_;
    mutable Handle currentFontHandle_ = 0;
};

} // namespace zt::platform::gdi
