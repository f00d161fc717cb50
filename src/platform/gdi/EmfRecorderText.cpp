// The recorder's fonts and text: the font records, the realised font that
// measures, and the text records with their bounds.

#include "platform/gdi/EmfRecorder.h"

#include "platform/core/WinMath.h"
#include "platform/gdi/EmfRecordFields.h"
#include "platform/text/Utf.h"

#include <algorithm>

namespace zt::platform::gdi {

Handle EmfRecorder::CreateFontIndirect(const LogFont& font)
{
    const Handle h = allocHandle();
    objects_[h] = {ObjectKind::Font, font, 0};
    Record r = begin(EMR_EXTCREATEFONTINDIRECTW);
    putU32(bytes_, h);
    // LOGFONTW
    putI32(bytes_, font.height);
    putI32(bytes_, 0);                        // width: the font's own
    putI32(bytes_, 0);                        // escapement
    putI32(bytes_, 0);                        // orientation
    putI32(bytes_, font.weight);
    bytes_.push_back(font.italic ? 1 : 0);
    bytes_.push_back(font.underline ? 1 : 0);
    bytes_.push_back(font.strikeOut ? 1 : 0);
    bytes_.push_back(static_cast<std::uint8_t>(font.charset));
    bytes_.push_back(0);                      // OUT_DEFAULT_PRECIS
    bytes_.push_back(0);                      // CLIP_DEFAULT_PRECIS
    bytes_.push_back(0);                      // DEFAULT_QUALITY
    bytes_.push_back(0);                      // DEFAULT_PITCH | FF_DONTCARE
    putUtf16Fixed(bytes_, font.face, 32);
    // The rest of LOGFONTEXDV: full name, style, script, design vector without axes.
    putUtf16Fixed(bytes_, "", 64);
    putUtf16Fixed(bytes_, "", 32);
    putUtf16Fixed(bytes_, "", 32);
    putU32(bytes_, kDesignVectorSignature);
    putU32(bytes_, 0);
    end(r);
    return h;
}

std::shared_ptr<const Font> EmfRecorder::CurrentFont() const
{
    // The realised font of the selected object, kept until another is selected.
    if (currentFont_ && currentFontHandle_ == state_.font)
        return currentFont_;
    currentFontHandle_ = state_.font;
    currentFont_ = resolveFont();
    return currentFont_;
}

std::shared_ptr<const Font> EmfRecorder::resolveFont() const
{
    LogFont lf;
    if ((state_.font & kStockObject) || state_.font >= objects_.size()) {
        // The stock system font, as a sans face of the usual 16-pixel cell.
        lf.face = "MS Sans Serif";
        lf.height = 16;
        lf.weight = kFwBold;
    } else {
        lf = objects_[state_.font].font;
    }
    return FontService::instance().font(lf);
}

TextSize EmfRecorder::TextExtent(std::string_view utf8) const
{
    return CurrentFont()->textExtent(utf8);
}

void EmfRecorder::TextOut(std::int32_t x, std::int32_t y, std::string_view utf8)
{
    ExtTextOut(x, y, 0, nullptr, utf8);
}

void EmfRecorder::ExtTextOut(std::int32_t x, std::int32_t y, std::uint32_t options, const EmfRect* rect,
                             std::string_view utf8, const std::vector<std::int32_t>* dx)
{
    const std::u16string units = text::utf8ToUtf16(utf8);
    const auto font = CurrentFont();
    std::vector<std::int32_t> advances = dx ? *dx : font->advancesUtf16(units);
    advances.resize(units.size(), 0);
    std::int64_t width = 0;
    for (const auto a : advances)
        width += a;
    const auto& tm = font->metrics();

    // Where the text lands, for the header's bounds.
    std::int32_t left = x;
    const std::uint32_t h = state_.textAlign & TA_CENTER;
    if (h == TA_RIGHT)
        left = x - static_cast<std::int32_t>(width);
    else if (h == TA_CENTER)
        left = x - static_cast<std::int32_t>(width / 2);
    std::int32_t top = y;
    const std::uint32_t v = state_.textAlign & TA_BASELINE;
    if (v == TA_BASELINE)
        top = y - tm.ascent;
    else if (v == TA_BOTTOM)
        top = y - tm.height;
    EmfRect textBounds{left, top, left + static_cast<std::int32_t>(width) - 1, top + tm.height - 1};
    if (rect && (options & ETO_CLIPPED)) {
        textBounds.left = std::max(textBounds.left, rect->left);
        textBounds.top = std::max(textBounds.top, rect->top);
        textBounds.right = std::min(textBounds.right, rect->right - 1);
        textBounds.bottom = std::min(textBounds.bottom, rect->bottom - 1);
    }

    Record r = begin(EMR_EXTTEXTOUTW);
    const bool drawn = !units.empty() && textBounds.right >= textBounds.left && textBounds.bottom >= textBounds.top;
    putRect(bytes_, drawn ? textBounds : EmfRect{0, 0, -1, -1});
    putU32(bytes_, GM_COMPATIBLE);
    // Scales from device units to 0.01 mm, as Windows writes them.
    putF32(bytes_, 100.0f * static_cast<float>(device_.widthMM) / static_cast<float>(device_.widthPx));
    putF32(bytes_, 100.0f * static_cast<float>(device_.heightMM) / static_cast<float>(device_.heightPx));
    putI32(bytes_, x);
    putI32(bytes_, y);
    putU32(bytes_, static_cast<std::uint32_t>(units.size()));
    const std::uint32_t offString = kExtTextOutFixedSize;
    const std::uint32_t stringBytes = static_cast<std::uint32_t>((units.size() * 2 + 3) / 4 * 4);
    putU32(bytes_, units.empty() ? 0 : offString);
    putU32(bytes_, options);
    putRect(bytes_, rect ? *rect : EmfRect{0, 0, -1, -1});
    putU32(bytes_, units.empty() ? 0 : offString + stringBytes);
    {
        const std::size_t n = bytes_.size();
        bytes_.resize(n + units.size() * 2 + advances.size() * 4 + 4);
        std::uint8_t* p = bytes_.data() + n;
        for (const char16_t c : units) {
            *p++ = static_cast<std::uint8_t>(c);
            *p++ = static_cast<std::uint8_t>(c >> 8);
        }
        while ((p - bytes_.data()) % 4 != 0)
            *p++ = 0;
        for (const auto a : advances) {
            const auto v = static_cast<std::uint32_t>(a);
            *p++ = static_cast<std::uint8_t>(v);
            *p++ = static_cast<std::uint8_t>(v >> 8);
            *p++ = static_cast<std::uint8_t>(v >> 16);
            *p++ = static_cast<std::uint8_t>(v >> 24);
        }
        bytes_.resize(static_cast<std::size_t>(p - bytes_.data()));
    }
    end(r);
    if (drawn)
        addBounds(textBounds.left, textBounds.top, textBounds.right, textBounds.bottom);
    if (rect && (options & ETO_OPAQUE))
        addBounds(rect->left, rect->top, rect->right - 1, rect->bottom - 1);
}

} // namespace zt::platform::gdi
