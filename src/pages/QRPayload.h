#pragma once
// A page's payload in its record: the metafile image as it is, or packed as a
// 32-bit byte count followed by the splay-coded bytes.

#include "platform/gdi/Metafile.h"
#include "platform/streams/Stream.h"

#include <cstdint>
#include <vector>

namespace zt::pages {

void WritePayload(platform::TStream& out, const platform::gdi::TMetafile& page, bool packed);

// Throws PlatformError when the payload is not a metafile, when a packed
// count cannot be right for the bytes that follow it, or when packed bits
// end early.
platform::gdi::TMetafile ReadPayload(std::vector<std::uint8_t> payload, bool packed);

// The coder on whole buffers, from the initial tree.
std::vector<std::uint8_t> PackBytes(const std::uint8_t* data, std::size_t size);
// `count` bytes decoded from `data`. Every byte costs at least one bit, so a
// count above 8 bits per input byte is refused before anything is allocated.
std::vector<std::uint8_t> UnpackBytes(const std::uint8_t* data, std::size_t size, std::uint64_t count);

} // namespace zt::pages
