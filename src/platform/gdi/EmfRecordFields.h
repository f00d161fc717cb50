#pragma once
// The recorder's composite fields: rectangles, fixed-length UTF-16 names and
// the padding that keeps every record a multiple of four bytes.

#include "platform/gdi/EmfBytes.h"
#include "platform/gdi/EmfRecorder.h"
#include "platform/text/Utf.h"

#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::gdi {

inline void putRect(std::vector<std::uint8_t>& out, const EmfRect& r)
{
    putI32(out, r.left);
    putI32(out, r.top);
    putI32(out, r.right);
    putI32(out, r.bottom);
}

// Cut to units - 1 and filled with zeros, so the name always ends. Written
// in one piece, zeros first: every font a page selects writes 160 of these
// units, nearly all of them the padding.
inline void putUtf16Fixed(std::vector<std::uint8_t>& out, std::string_view utf8, std::size_t units)
{
    const std::size_t at = out.size();
    out.resize(at + 2 * units, 0);
    if (utf8.empty())
        return;
    const std::u16string s = text::utf8ToUtf16(utf8);
    const std::size_t kept = units - 1 < s.size() ? units - 1 : s.size();
    for (std::size_t i = 0; i < kept; ++i) {
        out[at + 2 * i] = static_cast<std::uint8_t>(s[i]);
        out[at + 2 * i + 1] = static_cast<std::uint8_t>(s[i] >> 8);
    }
}

inline void pad4(std::vector<std::uint8_t>& out)
{
    while (out.size() % 4 != 0)
        out.push_back(0);
}

} // namespace zt::platform::gdi
