#pragma once
// Plays an enhanced metafile onto a render target, stretched into a rectangle
// as the system's player does: the picture frame maps onto the rectangle. It
// keeps the device-context state that Windows' own pages rely on (objects,
// map modes, world transform, clipping, saved states, paths) and skips what
// cannot matter for a page's appearance.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Metafile.h"
#include "platform/gdi/RenderTarget.h"

#include <optional>

namespace zt::platform::gdi {

struct PlayResult {
    std::size_t records = 0;     // records played, the header included
    bool complete = false;       // the end record was reached
};

PlayResult playEmf(const TMetafile& page, RenderTarget& target, const RectF& dest);

// Decodes a device-independent bitmap (BITMAPINFO at `bmi`, bits at `bits`),
// nullopt when it is malformed or of a kind not supported.
std::optional<Bitmap> decodeDib(const std::uint8_t* bmi, std::size_t bmiSize, const std::uint8_t* bits,
                                std::size_t bitsSize);

} // namespace zt::platform::gdi
