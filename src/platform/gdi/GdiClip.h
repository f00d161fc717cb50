#pragma once
// Clip regions as unions of rectangles in device pixels.

#include "platform/gdi/RenderTarget.h"

#include <optional>
#include <vector>

namespace zt::platform::gdi {

using ClipRects = std::optional<std::vector<RectF>>;  // nullopt: no clipping

// The clip after intersecting with `rect`.
ClipRects intersectClip(const ClipRects& clip, const RectF& rect);
// Combines `clip` with `rects` by a region mode (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY).
ClipRects combineClip(const ClipRects& clip, const std::vector<RectF>& rects, std::uint32_t mode);

} // namespace zt::platform::gdi
