#pragma once
// Which header layout a saved report file has, and what its header says.
//
// Files of unpacked pages are recognised by where page 1's metafile signature
// lies. Packed pages show no signature; their writers put page 1 right after
// the header, so a sound record of page 1 at 120 (or 124) bytes settles it,
// and failing that (no pages, or page 1 damaged) the header's fixed marks. Older layouts (96, 128 and other lengths found by
// the scan) carry no page count or packed flag we can read: their page count
// is the number of records in the chain, and their pages are unpacked.

#include "platform/streams/Stream.h"

#include <cstdint>

namespace zt::pages {

struct TQRPLayout {
    std::int64_t HeaderLength = 0;
    std::int32_t PageCount = 0;        // pages the chain really holds
    std::int32_t StatedPageCount = 0;  // what the header says (the chain's count where it says nothing)
    bool Packed = false;
};

// The header length by the signature search, the page-1 record check, the
// header's marks, then the scan; 128 when nothing matches. Leaves the stream's position as it was.
std::int64_t FindHeaderLength(platform::TStream& stream);

// Reads the header of the layout found and checks it against the records:
// the page count never exceeds the records the chain really holds (pages past
// a damaged or missing record are missing). Throws PlatformError when the
// stream is shorter than its header, or when neither the header nor any
// record is recognisable.
TQRPLayout ReadLayout(platform::TStream& stream);

} // namespace zt::pages
