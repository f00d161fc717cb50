// The metafile player's text and picture records.

#include "platform/gdi/EmfPlayback.h"
#include "platform/gdi/GdiClip.h"

namespace zt::platform::gdi::playback {

void Player::text(const EmfRecordView& r, std::uint32_t emrText, bool wide, std::uint32_t graphicsMode)
{
    (void)graphicsMode;
    const auto str = textOf(r, emrText, wide);
    if (!str)
        return;
    const std::uint32_t options = r.u32(emrText + 16);
    const double rl = r.i32(emrText + 20), rt = r.i32(emrText + 24), rr = r.i32(emrText + 28), rb = r.i32(emrText + 32);
    const bool hasRect = rr > rl && rb > rt;

    const std::uint64_t n = str->size();
    const auto font = FontService::instance().font(s_.font);
    const auto& tm = font->metrics();

    // Advances: the record's spacing array, or the font's own where it has none.
    std::vector<double> dx(n, 0);
    const std::uint32_t offDx = r.u32(emrText + 36);
    const std::uint64_t stride = (options & ETO_PDY) ? 8 : 4;
    if (offDx != 0 && r.has(offDx, n * stride)) {
        for (std::uint64_t i = 0; i < n; ++i)
            dx[i] = r.i32(static_cast<std::uint32_t>(offDx + i * stride));
    } else {
        const auto adv = font->advancesUtf16(*str);
        for (std::uint64_t i = 0; i < n && i < adv.size(); ++i)
            dx[i] = adv[i];
    }
    double width = 0;
    for (const double d : dx)
        width += d;

    PointF ref{double(r.i32(emrText)), double(r.i32(emrText + 4))};
    if (s_.textAlign & TA_UPDATECP)
        ref = s_.position;
    const Matrix toDevice = logicalToDevice();
    // Text grows along the logical axes; with y pointing up the cell lies below the
    // reference point in device terms, so offsets follow the axis' direction.
    const double yDir = toDevice.m22 < 0 ? -1 : 1;
    double x = ref.x;
    switch (s_.textAlign & TA_CENTER) {
    case TA_RIGHT: x -= width; break;
    case TA_CENTER: x -= width / 2; break;
    default: break;
    }
    double baseline = ref.y;
    switch (s_.textAlign & TA_BASELINE) {
    case TA_BASELINE: break;
    case TA_BOTTOM: baseline -= yDir * tm.descent; break;
    default: baseline += yDir * tm.ascent; break;
    }
    if (s_.textAlign & TA_UPDATECP) {
        if ((s_.textAlign & TA_CENTER) == TA_LEFT)
            s_.position.x += width;
        else if ((s_.textAlign & TA_CENTER) == TA_RIGHT)
            s_.position.x -= width;
    }

    const PenSpec noPen{true, PS_NULL, 0, 0};
    const BrushSpec background{false, BS_SOLID, 0, s_.bkColor};
    if ((options & ETO_OPAQUE) && hasRect)
        target_.drawRect({rl, rt, rr, rb}, noPen, background);
    if (n == 0)
        return;

    const auto savedClip = s_.clip;
    if ((options & ETO_CLIPPED) && hasRect) {
        s_.clip = intersectClip(s_.clip, logicalRectToDevice(rl, rt, rr, rb));
        applyClip();
    }
    if (s_.bkMode == OPAQUE && !(options & ETO_OPAQUE)) {
        const double top = baseline - yDir * tm.ascent, bottom = baseline + yDir * tm.descent;
        target_.drawRect({x, std::min(top, bottom), x + width, std::max(top, bottom)}, noPen, background);
    }

    const Matrix toTarget = toDevice.then(deviceToTarget_);
    GlyphRun run;
    run.font = font;
    run.pixelSize = font->emPixels() * std::hypot(toTarget.m21, toTarget.m22);
    run.underline = s_.font.underline;
    run.strikeOut = s_.font.strikeOut;
    run.color = s_.textColor & 0xFFFFFF;
    run.text = *str;
    run.origins.reserve(n);
    double pen = x;
    for (std::uint64_t i = 0; i < n; ++i) {
        run.origins.push_back(toTarget.map(pen, baseline));
        pen += dx[i];
    }
    run.lineWidth = width * std::hypot(toTarget.m11, toTarget.m12);
    if (run.pixelSize > 0 && std::isfinite(run.pixelSize))
        target_.drawGlyphs(run);

    if ((options & ETO_CLIPPED) && hasRect) {
        s_.clip = savedClip;
        applyClip();
    }
}

void Player::blit(const EmfRecordView& r, std::uint32_t type)
{
    double x, y, w, h;
    std::uint32_t rop = SRCCOPY, offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
    switch (type) {
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
        x = r.i32(24); y = r.i32(28); w = r.i32(32); h = r.i32(36);
        rop = r.u32(40);
        offBmi = r.u32(84); cbBmi = r.u32(88); offBits = r.u32(92); cbBits = r.u32(96);
        break;
    case EMR_STRETCHDIBITS:
        x = r.i32(24); y = r.i32(28); w = r.i32(72); h = r.i32(76);
        offBmi = r.u32(48); cbBmi = r.u32(52); offBits = r.u32(56); cbBits = r.u32(60);
        rop = r.u32(68);
        break;
    default: // EMR_SETDIBITSTODEVICE
        x = r.i32(24); y = r.i32(28); w = r.i32(40); h = r.i32(44);
        offBmi = r.u32(48); cbBmi = r.u32(52); offBits = r.u32(56); cbBits = r.u32(60);
        break;
    }
    const RectF dest{std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h)};
    const PenSpec noPen{true, PS_NULL, 0, 0};
    if (cbBmi == 0) {
        // No source: a pattern or constant fill of the destination.
        if (rop == PATCOPY && !s_.brush.null)
            target_.drawRect(dest, noPen, s_.brush);
        else if (rop == BLACKNESS)
            target_.drawRect(dest, noPen, {false, BS_SOLID, 0, 0});
        else if (rop == WHITENESS)
            target_.drawRect(dest, noPen, {false, BS_SOLID, 0, 0xFFFFFF});
        return;
    }
    if (!r.has(offBmi, cbBmi) || !r.has(offBits, cbBits))
        return;
    if (auto bmp = decodeDib(r.data() + offBmi, cbBmi, r.data() + offBits, cbBits))
        target_.drawImage(dest, *bmp);
}

} // namespace zt::platform::gdi::playback
