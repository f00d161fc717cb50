#include "platform/gdi/EmfRecorder.h"

#include "platform/core/PlatformError.h"
#include "platform/core/WinMath.h"
#include "platform/gdi/EmfRecordFields.h"

#include <algorithm>

namespace zt::platform::gdi {

RefDevice RefDevice::screen()
{
    // A screen of exactly 96 pixels per inch both ways (whole millimetres need
    // multiples of 480 pixels), so frames convert back to whole pixels.
    return {1920, 1440, 508, 381};
}

RefDevice RefDevice::page(std::int32_t widthPx, std::int32_t heightPx, std::int32_t dpiX, std::int32_t dpiY)
{
    return {widthPx, heightPx, MulDiv(widthPx, 254, dpiX * 10), MulDiv(heightPx, 254, dpiY * 10)};
}

std::int32_t RefDevice::dpiX() const
{
    return widthMM > 0 ? MulDiv(widthPx, 254, widthMM * 10) : kScreenPixelsPerInch;
}

std::int32_t RefDevice::dpiY() const
{
    return heightMM > 0 ? MulDiv(heightPx, 254, heightMM * 10) : kScreenPixelsPerInch;
}

EmfRecorder::EmfRecorder(RefDevice device, EmfRect frame) : device_(device), frame_(frame)
{
    if (device_.widthPx <= 0 || device_.heightPx <= 0 || device_.widthMM <= 0 || device_.heightMM <= 0)
        throw PlatformError(ErrorKind::InternalFault, "Invalid reference device for a metafile");
    objects_.resize(1); // index 0 stands for the metafile itself
    // A page of text runs to tens of kilobytes; growing from small sizes copied it over and over.
    bytes_.reserve(48 * 1024);
    // The header is written in full now and patched by Finish.
    Record r = begin(EMR_HEADER);
    putRect(bytes_, {0, 0, -1, -1});
    putRect(bytes_, frame_);
    putU32(bytes_, kEmfSignature);
    putU32(bytes_, 0x10000);  // version
    putU32(bytes_, 0);        // nBytes, patched
    putU32(bytes_, 0);        // nRecords, patched
    putU16(bytes_, 0);        // nHandles, patched
    putU16(bytes_, 0);        // reserved
    putU32(bytes_, 0);        // no description
    putU32(bytes_, 0);
    putU32(bytes_, 0);        // no palette
    putI32(bytes_, device_.widthPx);
    putI32(bytes_, device_.heightPx);
    putI32(bytes_, device_.widthMM);
    putI32(bytes_, device_.heightMM);
    putU32(bytes_, 0);        // no pixel format
    putU32(bytes_, 0);
    putU32(bytes_, 0);        // no OpenGL
    putI32(bytes_, device_.widthMM * 1000);
    putI32(bytes_, device_.heightMM * 1000);
    end(r);
}

EmfRecorder EmfRecorder::forPage(RefDevice device, std::int32_t widthPx, std::int32_t heightPx)
{
    // Frame in 0.01 mm from the device's own resolution.
    const std::int32_t w = MulDiv(widthPx, device.widthMM * 100, device.widthPx);
    const std::int32_t h = MulDiv(heightPx, device.heightMM * 100, device.heightPx);
    return EmfRecorder(device, {0, 0, w, h});
}

EmfRecorder::Record EmfRecorder::begin(std::uint32_t type)
{
    if (finished_)
        throw PlatformError(ErrorKind::InternalFault, "The metafile has been finished");
    Record r{bytes_.size()};
    putU32(bytes_, type);
    putU32(bytes_, 0);
    return r;
}

void EmfRecorder::end(Record& r)
{
    pad4(bytes_);
    patchU32(bytes_, r.start + 4, static_cast<std::uint32_t>(bytes_.size() - r.start));
    ++records_;
}

void EmfRecorder::simple(std::uint32_t type, std::uint32_t value)
{
    Record r = begin(type);
    putU32(bytes_, value);
    end(r);
}

void EmfRecorder::addBounds(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
{
    if (r < l)
        std::swap(l, r);
    if (b < t)
        std::swap(t, b);
    if (!bounds_) {
        bounds_ = EmfRect{l, t, r, b};
        return;
    }
    bounds_->left = std::min(bounds_->left, l);
    bounds_->top = std::min(bounds_->top, t);
    bounds_->right = std::max(bounds_->right, r);
    bounds_->bottom = std::max(bounds_->bottom, b);
}

void EmfRecorder::addPenBounds(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
{
    std::int32_t half = 0;
    if (!(state_.pen & kStockObject) && state_.pen < objects_.size())
        half = objects_[state_.pen].penWidth / 2;
    addBounds(std::min(l, r) - half, std::min(t, b) - half, std::max(l, r) + half, std::max(t, b) + half);
}

Handle EmfRecorder::allocHandle()
{
    // The lowest free index, as GDI hands them out.
    for (std::size_t i = 1; i < objects_.size(); ++i)
        if (objects_[i].kind == ObjectKind::None)
            return static_cast<Handle>(i);
    objects_.emplace_back();
    maxHandle_ = std::max(maxHandle_, objects_.size() - 1);
    return static_cast<Handle>(objects_.size() - 1);
}


Handle EmfRecorder::CreatePen(std::uint32_t style, std::int32_t width, ColorRef color)
{
    const Handle h = allocHandle();
    objects_[h] = {ObjectKind::Pen, {}, std::max(width, 1)};
    Record r = begin(EMR_CREATEPEN);
    putU32(bytes_, h);
    putU32(bytes_, style);
    putI32(bytes_, width);
    putI32(bytes_, 0);
    putU32(bytes_, color);
    end(r);
    return h;
}

Handle EmfRecorder::CreateBrushIndirect(std::uint32_t style, ColorRef color, std::uint32_t hatch)
{
    const Handle h = allocHandle();
    objects_[h] = {ObjectKind::Brush, {}, 0};
    Record r = begin(EMR_CREATEBRUSHINDIRECT);
    putU32(bytes_, h);
    putU32(bytes_, style);
    putU32(bytes_, color);
    putU32(bytes_, hatch);
    end(r);
    return h;
}

void EmfRecorder::SelectObject(Handle handle)
{
    ObjectKind kind = ObjectKind::None;
    if (handle & kStockObject) {
        const std::uint32_t stock = handle & ~kStockObject;
        if (stock <= NULL_BRUSH || stock == DC_BRUSH)
            kind = ObjectKind::Brush;
        else if (stock <= NULL_PEN || stock == DC_PEN)
            kind = ObjectKind::Pen;
        else if (stock >= OEM_FIXED_FONT && stock != DEFAULT_PALETTE && stock <= DEFAULT_GUI_FONT)
            kind = ObjectKind::Font;
    } else if (handle < objects_.size()) {
        kind = objects_[handle].kind;
    }
    if (kind == ObjectKind::None)
        throw PlatformError(ErrorKind::InternalFault, "Invalid object handle " + std::to_string(handle));
    if (kind == ObjectKind::Font)
        state_.font = handle;
    else if (kind == ObjectKind::Pen)
        state_.pen = handle;
    else
        state_.brush = handle;
    simple(EMR_SELECTOBJECT, handle);
}

void EmfRecorder::DeleteObject(Handle handle)
{
    if ((handle & kStockObject) || handle == 0 || handle >= objects_.size() ||
        objects_[handle].kind == ObjectKind::None)
        throw PlatformError(ErrorKind::InternalFault, "Invalid object handle " + std::to_string(handle));
    simple(EMR_DELETEOBJECT, handle);
    objects_[handle] = {};
    if (handle == currentFontHandle_)
        currentFont_.reset();
}

void EmfRecorder::SetBkMode(std::uint32_t mode) { simple(EMR_SETBKMODE, mode); }
void EmfRecorder::SetTextColor(ColorRef color) { simple(EMR_SETTEXTCOLOR, color); }

void EmfRecorder::SetTextAlign(std::uint32_t align)
{
    state_.textAlign = align;
    simple(EMR_SETTEXTALIGN, align);
}

void EmfRecorder::MoveTo(std::int32_t x, std::int32_t y)
{
    Record r = begin(EMR_MOVETOEX);
    putI32(bytes_, x);
    putI32(bytes_, y);
    end(r);
    state_.position = {x, y};
}

void EmfRecorder::LineTo(std::int32_t x, std::int32_t y)
{
    Record r = begin(EMR_LINETO);
    putI32(bytes_, x);
    putI32(bytes_, y);
    end(r);
    addPenBounds(state_.position.x, state_.position.y, x, y);
    state_.position = {x, y};
}

void EmfRecorder::box(std::uint32_t type, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
{
    Record rec = begin(type);
    putRect(bytes_, {l, t, r, b});
    end(rec);
    // The right and bottom edges are exclusive for the filled shapes.
    addPenBounds(l, t, r - 1, b - 1);
}

void EmfRecorder::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) { box(EMR_RECTANGLE, l, t, r, b); }
void EmfRecorder::Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) { box(EMR_ELLIPSE, l, t, r, b); }

void EmfRecorder::RoundRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::int32_t w, std::int32_t h)
{
    Record rec = begin(EMR_ROUNDRECT);
    putRect(bytes_, {l, t, r, b});
    putI32(bytes_, w);
    putI32(bytes_, h);
    end(rec);
    addPenBounds(l, t, r - 1, b - 1);
}


void EmfRecorder::FillRect(const EmfRect& rect)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    Record r = begin(EMR_BITBLT);
    putRect(bytes_, {rect.left, rect.top, rect.right - 1, rect.bottom - 1});
    putI32(bytes_, rect.left);
    putI32(bytes_, rect.top);
    putI32(bytes_, rect.right - rect.left);
    putI32(bytes_, rect.bottom - rect.top);
    putU32(bytes_, PATCOPY);
    putI32(bytes_, 0);                      // xSrc
    putI32(bytes_, 0);                      // ySrc
    for (float f : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f})
        putF32(bytes_, f);                  // source transform
    putU32(bytes_, 0);                      // source background colour
    putU32(bytes_, DIB_RGB_COLORS);
    for (int i = 0; i < 4; ++i)
        putU32(bytes_, 0);                  // no source bitmap
    end(r);
    addBounds(rect.left, rect.top, rect.right - 1, rect.bottom - 1);
}


void EmfRecorder::IntersectClipRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
{
    Record rec = begin(EMR_INTERSECTCLIPRECT);
    putRect(bytes_, {l, t, r, b});
    end(rec);
}

void EmfRecorder::SaveDC()
{
    Record r = begin(EMR_SAVEDC);
    end(r);
    saved_.push_back(state_);
}

void EmfRecorder::RestoreDC(std::int32_t relative)
{
    if (relative >= 0 || static_cast<std::size_t>(-static_cast<std::int64_t>(relative)) > saved_.size())
        throw PlatformError(ErrorKind::InternalFault, "RestoreDC without a matching SaveDC");
    simple(EMR_RESTOREDC, static_cast<std::uint32_t>(relative));
    const std::size_t keep = saved_.size() - static_cast<std::size_t>(-static_cast<std::int64_t>(relative));
    state_ = saved_[keep];
    saved_.resize(keep);
}

void EmfRecorder::StretchDraw(const EmfRect& dest, const Bitmap& bitmap)
{
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height))
        throw PlatformError(ErrorKind::InternalFault, "Invalid bitmap");
    const std::uint32_t rowBytes = static_cast<std::uint32_t>((bitmap.width * 3 + 3) / 4 * 4);
    const std::uint32_t bitsSize = rowBytes * static_cast<std::uint32_t>(bitmap.height);
    constexpr std::uint32_t fixed = 80, bmiSize = 40;

    Record r = begin(EMR_STRETCHDIBITS);
    putRect(bytes_, {dest.left, dest.top, dest.right - 1, dest.bottom - 1});
    putI32(bytes_, dest.left);
    putI32(bytes_, dest.top);
    putI32(bytes_, 0);
    putI32(bytes_, 0);
    putI32(bytes_, bitmap.width);
    putI32(bytes_, bitmap.height);
    putU32(bytes_, fixed);
    putU32(bytes_, bmiSize);
    putU32(bytes_, fixed + bmiSize);
    putU32(bytes_, bitsSize);
    putU32(bytes_, DIB_RGB_COLORS);
    putU32(bytes_, SRCCOPY);
    putI32(bytes_, dest.right - dest.left);
    putI32(bytes_, dest.bottom - dest.top);
    // BITMAPINFOHEADER: 24 bits, bottom-up rows.
    putU32(bytes_, bmiSize);
    putI32(bytes_, bitmap.width);
    putI32(bytes_, bitmap.height);
    putU16(bytes_, 1);
    putU16(bytes_, 24);
    putU32(bytes_, 0);  // BI_RGB
    putU32(bytes_, bitsSize);
    putI32(bytes_, 0);
    putI32(bytes_, 0);
    putU32(bytes_, 0);
    putU32(bytes_, 0);
    for (std::int32_t row = bitmap.height - 1; row >= 0; --row) {
        const std::size_t start = bytes_.size();
        for (std::int32_t col = 0; col < bitmap.width; ++col) {
            const std::uint32_t p = bitmap.pixels[static_cast<std::size_t>(row) * bitmap.width + col];
            bytes_.push_back(static_cast<std::uint8_t>(p));        // blue
            bytes_.push_back(static_cast<std::uint8_t>(p >> 8));   // green
            bytes_.push_back(static_cast<std::uint8_t>(p >> 16));  // red
        }
        while (bytes_.size() - start < rowBytes)
            bytes_.push_back(0);
    }
    end(r);
    addBounds(dest.left, dest.top, dest.right - 1, dest.bottom - 1);
}

TMetafile EmfRecorder::Finish()
{
    Record r = begin(EMR_EOF);
    putU32(bytes_, 0);   // no palette entries
    putU32(bytes_, 16);  // offset of the (empty) palette
    putU32(bytes_, 20);  // size of this record, repeated at its end
    end(r);
    finished_ = true;
    const EmfRect b = bounds_.value_or(EmfRect{0, 0, -1, -1});
    patchU32(bytes_, 8, static_cast<std::uint32_t>(b.left));
    patchU32(bytes_, 12, static_cast<std::uint32_t>(b.top));
    patchU32(bytes_, 16, static_cast<std::uint32_t>(b.right));
    patchU32(bytes_, 20, static_cast<std::uint32_t>(b.bottom));
    patchU32(bytes_, 48, static_cast<std::uint32_t>(bytes_.size()));
    patchU32(bytes_, 52, records_);
    const auto handles = static_cast<std::uint16_t>(maxHandle_ + 1);
    bytes_[56] = static_cast<std::uint8_t>(handles);
    bytes_[57] = static_cast<std::uint8_t>(handles >> 8);
    return TMetafile::FromBytes(std::move(bytes_));
}

} // namespace zt::platform::gdi
