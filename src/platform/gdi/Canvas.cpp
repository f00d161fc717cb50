#include "platform/gdi/Canvas.h"

namespace zt::platform::gdi {

void TCanvas::Bind(EmfRecorder* device)
{
    device_ = device;
    fontHandle_ = penHandle_ = brushHandle_ = 0;
    fontDirty_ = penDirty_ = brushDirty_ = true;
    alignSet_ = colorSet_ = modeSet_ = false;
}

int TCanvas::PixelsPerInchY() const
{
    return device_ != nullptr ? device_->Device().dpiY() : kScreenPixelsPerInch;
}

void TCanvas::SetFont(const LogFont& font, ColorRef color)
{
    if (!(font == font_))
        fontDirty_ = true;
    font_ = font;
    if (color != textColor_)
        colorSet_ = false;
    textColor_ = color;
}

void TCanvas::SetPen(const CanvasPen& pen)
{
    if (!(pen == pen_))
        penDirty_ = true;
    pen_ = pen;
}

void TCanvas::SetBrush(const CanvasBrush& brush)
{
    if (!(brush == brush_))
        brushDirty_ = true;
    brush_ = brush;
}

// A replaced object is deleted once its successor is selected, as the
// device still holds it until then.
void TCanvas::selectFont()
{
    if (!fontDirty_)
        return;
    const Handle h = device_->CreateFontIndirect(font_);
    device_->SelectObject(h);
    if (fontHandle_ != 0)
        device_->DeleteObject(fontHandle_);
    fontHandle_ = h;
    fontDirty_ = false;
}

void TCanvas::selectPen()
{
    if (!penDirty_)
        return;
    const Handle h = device_->CreatePen(pen_.style, pen_.width, pen_.color);
    device_->SelectObject(h);
    if (penHandle_ != 0)
        device_->DeleteObject(penHandle_);
    penHandle_ = h;
    penDirty_ = false;
}

void TCanvas::selectBrush()
{
    if (!brushDirty_)
        return;
    const Handle h = brush_.style == BS_NULL ? (kStockObject | NULL_BRUSH)
                                             : device_->CreateBrushIndirect(brush_.style, brush_.color, brush_.hatch);
    device_->SelectObject(h);
    if (brushHandle_ != 0)
        device_->DeleteObject(brushHandle_);
    brushHandle_ = (h & kStockObject) ? 0 : h;
    brushDirty_ = false;
}

void TCanvas::FillRect(const EmfRect& r)
{
    if (device_ == nullptr)
        return;
    selectBrush();
    device_->FillRect(r);
}

void TCanvas::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
{
    if (device_ == nullptr)
        return;
    selectPen();
    selectBrush();
    device_->Rectangle(l, t, r, b);
}

void TCanvas::Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
{
    if (device_ == nullptr)
        return;
    selectPen();
    selectBrush();
    device_->Ellipse(l, t, r, b);
}

void TCanvas::RoundRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::int32_t w,
                        std::int32_t h)
{
    if (device_ == nullptr)
        return;
    selectPen();
    selectBrush();
    device_->RoundRect(l, t, r, b, w, h);
}

void TCanvas::MoveTo(std::int32_t x, std::int32_t y)
{
    if (device_ != nullptr)
        device_->MoveTo(x, y);
}

void TCanvas::LineTo(std::int32_t x, std::int32_t y)
{
    if (device_ == nullptr)
        return;
    selectPen();
    device_->LineTo(x, y);
}

void TCanvas::TextOut(std::int32_t x, std::int32_t y, std::uint32_t align, std::string_view utf8)
{
    if (device_ == nullptr)
        return;
    selectFont();
    if (!modeSet_) {
        device_->SetBkMode(TRANSPARENT);
        modeSet_ = true;
    }
    if (!colorSet_) {
        device_->SetTextColor(textColor_);
        colorSet_ = true;
    }
    if (!alignSet_ || align != align_) {
        device_->SetTextAlign(align);
        align_ = align;
        alignSet_ = true;
    }
    device_->ExtTextOut(x, y, 0, nullptr, utf8);
}

int TCanvas::TextWidth(std::string_view utf8)
{
    if (device_ == nullptr)
        return 0;
    selectFont();
    return device_->TextExtent(utf8).cx;
}

int TCanvas::TextHeight(std::string_view utf8)
{
    if (device_ == nullptr)
        return 0;
    selectFont();
    return device_->TextExtent(utf8).cy;
}

} // namespace zt::platform::gdi
