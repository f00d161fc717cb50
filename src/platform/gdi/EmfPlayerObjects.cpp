// The metafile player's object table: pens, brushes and fonts created,
// selected and deleted by index, and the stock objects.

#include "platform/gdi/EmfPlayback.h"
#include "platform/gdi/EmfRecords.h"
#include "platform/text/Utf.h"

namespace zt::platform::gdi::playback {

LogFont stockFont(std::uint32_t stock)
{
    LogFont lf;
    switch (stock) {
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        lf.face = "Courier New";
        lf.height = 16;
        break;
    case DEFAULT_GUI_FONT:
        lf.face = "MS Sans Serif";
        lf.height = -11;
        break;
    default:
        lf.face = "MS Sans Serif";
        lf.height = 16;
        lf.weight = kFwBold;
        break;
    }
    return lf;
}


Object* Player::objectAt(std::uint32_t index)
{
    if (index >= kMaxObjects)
        return nullptr;
    if (index >= objects_.size())
        objects_.resize(index + 1);
    return &objects_[index];
}

void Player::createPen(const EmfRecordView& r)
{
    if (Object* o = objectAt(r.u32(8))) {
        o->kind = Object::Kind::Pen;
        o->pen.style = r.u32(12) & PS_STYLE_MASK;
        o->pen.null = o->pen.style == PS_NULL;
        o->pen.width = std::abs(double(r.i32(16)));
        o->pen.color = r.u32(24) & 0xFFFFFF;
    }
}

void Player::createExtPen(const EmfRecordView& r)
{
    if (Object* o = objectAt(r.u32(8))) {
        o->kind = Object::Kind::Pen;
        o->pen.style = r.u32(28) & PS_STYLE_MASK;
        o->pen.null = o->pen.style == PS_NULL || r.u32(36) == BS_NULL;
        o->pen.width = r.u32(32) > 0x7FFFFFFF ? 0 : r.u32(32);
        o->pen.color = r.u32(40) & 0xFFFFFF;
    }
}

void Player::createBrush(const EmfRecordView& r)
{
    if (Object* o = objectAt(r.u32(8))) {
        o->kind = Object::Kind::Brush;
        o->brush.style = r.u32(12);
        o->brush.null = o->brush.style == BS_NULL;
        o->brush.color = r.u32(16) & 0xFFFFFF;
        o->brush.hatch = r.u32(20);
    }
}

void Player::createPatternBrush(const EmfRecordView& r)
{
    // A picture brush is drawn in the picture's average colour.
    Object* o = objectAt(r.u32(8));
    if (!o)
        return;
    o->kind = Object::Kind::Brush;
    o->brush = {};
    o->brush.color = 0xC0C0C0;
    const std::uint32_t offBmi = r.u32(16), cbBmi = r.u32(20), offBits = r.u32(24), cbBits = r.u32(28);
    if (!r.has(offBmi, cbBmi) || !r.has(offBits, cbBits))
        return;
    if (auto bmp = decodeDib(r.data() + offBmi, cbBmi, r.data() + offBits, cbBits)) {
        std::uint64_t sr = 0, sg = 0, sb = 0;
        for (const auto p : bmp->pixels) {
            sr += (p >> 16) & 0xFF;
            sg += (p >> 8) & 0xFF;
            sb += p & 0xFF;
        }
        const std::uint64_t n = std::max<std::uint64_t>(bmp->pixels.size(), 1);
        o->brush.color = rgb(std::uint8_t(sr / n), std::uint8_t(sg / n), std::uint8_t(sb / n));
    }
}

void Player::createFont(const EmfRecordView& r)
{
    Object* o = objectAt(r.u32(8));
    if (!o || !r.has(12, kLogFontWSize))
        return;
    o->kind = Object::Kind::Font;
    LogFont& lf = o->font;
    lf = {};
    lf.height = r.i32(12);
    lf.weight = r.i32(28);
    lf.italic = r.u8(32) != 0;
    lf.underline = r.u8(33) != 0;
    lf.strikeOut = r.u8(34) != 0;
    lf.charset = r.u8(35);
    std::u16string face;
    for (std::uint32_t i = 0; i < 32; ++i) {
        const char16_t c = r.u16(40 + 2 * i);
        if (c == 0)
            break;
        face.push_back(c);
    }
    lf.face = text::utf16ToUtf8(face);
    if (lf.face.empty())
        lf.face = "Arial";
}

void Player::selectObject(std::uint32_t index)
{
    if (index & kStockObject) {
        const std::uint32_t stock = index & ~kStockObject;
        switch (stock) {
        case WHITE_BRUSH: s_.brush = {false, BS_SOLID, 0, 0xFFFFFF}; break;
        case LTGRAY_BRUSH: s_.brush = {false, BS_SOLID, 0, 0xC0C0C0}; break;
        case GRAY_BRUSH: s_.brush = {false, BS_SOLID, 0, 0x808080}; break;
        case DKGRAY_BRUSH: s_.brush = {false, BS_SOLID, 0, 0x404040}; break;
        case BLACK_BRUSH: s_.brush = {false, BS_SOLID, 0, 0x000000}; break;
        case NULL_BRUSH: s_.brush = {true, BS_NULL, 0, 0}; break;
        case DC_BRUSH: s_.brush = {false, BS_SOLID, 0, 0xFFFFFF}; break;
        case WHITE_PEN: s_.pen = {false, PS_SOLID, 0, 0xFFFFFF}; break;
        case BLACK_PEN:
        case DC_PEN: s_.pen = {false, PS_SOLID, 0, 0x000000}; break;
        case NULL_PEN: s_.pen = {true, PS_NULL, 0, 0}; break;
        case DEFAULT_PALETTE: break;
        default:
            if (stock >= OEM_FIXED_FONT && stock <= DEFAULT_GUI_FONT)
                s_.font = stockFont(stock);
            break;
        }
        return;
    }
    if (index >= objects_.size())
        return;
    const Object& o = objects_[index];
    switch (o.kind) {
    case Object::Kind::Pen: s_.pen = o.pen; break;
    case Object::Kind::Brush: s_.brush = o.brush; break;
    case Object::Kind::Font: s_.font = o.font; break;
    case Object::Kind::None: break;
    }
}

} // namespace zt::platform::gdi::playback
