#include "platform/gdi/GdiClip.h"

#include "platform/gdi/EmfRecords.h"

#include <algorithm>

namespace zt::platform::gdi {

namespace {

// Region combinations multiply rectangles; a hostile page must not make that explode.
constexpr std::size_t kMaxClipRects = 4096;

std::optional<RectF> intersect(const RectF& a, const RectF& b)
{
    const RectF r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top)
        return std::nullopt;
    return r;
}

RectF normalized(const RectF& r)
{
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom)};
}

// a minus b, as up to four rectangles.
void subtract(const RectF& a, const RectF& b, std::vector<RectF>& out)
{
    const auto i = intersect(a, b);
    if (!i) {
        out.push_back(a);
        return;
    }
    if (i->top > a.top)
        out.push_back({a.left, a.top, a.right, i->top});
    if (i->bottom < a.bottom)
        out.push_back({a.left, i->bottom, a.right, a.bottom});
    if (i->left > a.left)
        out.push_back({a.left, i->top, i->left, i->bottom});
    if (i->right < a.right)
        out.push_back({i->right, i->top, a.right, i->bottom});
}

void cap(std::vector<RectF>& rects)
{
    if (rects.size() > kMaxClipRects)
        rects.resize(kMaxClipRects);
}

} // namespace

ClipRects intersectClip(const ClipRects& clip, const RectF& rect)
{
    return combineClip(clip, {rect}, RGN_AND);
}

ClipRects combineClip(const ClipRects& clip, const std::vector<RectF>& input, std::uint32_t mode)
{
    std::vector<RectF> rects;
    rects.reserve(std::min(input.size(), kMaxClipRects));
    for (const auto& r : input) {
        if (rects.size() >= kMaxClipRects)
            break;
        rects.push_back(normalized(r));
    }
    std::vector<RectF> out;
    switch (mode) {
    case RGN_COPY:
        out = rects;
        break;
    case RGN_AND:
        if (!clip)
            return rects;
        for (const auto& a : *clip)
            for (const auto& b : rects)
                if (out.size() < kMaxClipRects)
                    if (auto i = intersect(a, b))
                        out.push_back(*i);
        break;
    case RGN_OR:
    case RGN_XOR: // drawn like a union: the overlap of two clip regions is rare on pages
        if (!clip)
            return std::nullopt; // everything or more is still everything
        out = *clip;
        out.insert(out.end(), rects.begin(), rects.end());
        break;
    case RGN_DIFF: {
        if (!clip)
            return std::nullopt; // cannot represent "everything but"; keep drawing
        out = *clip;
        for (const auto& b : rects) {
            std::vector<RectF> next;
            for (const auto& a : out)
                if (next.size() < kMaxClipRects)
                    subtract(a, b, next);
            out = std::move(next);
        }
        break;
    }
    default:
        return clip;
    }
    cap(out);
    return out;
}

} // namespace zt::platform::gdi
