#pragma once
// UTF-8 is the internal text form; these convert at the edges (UTF-16 for
// metafile records and byte-order-marked files) and count characters, since
// length limits count characters, not bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace zt::platform::text {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the code point at `pos` and advances `pos` past it. A malformed or
// truncated sequence, an overlong form or a surrogate yields U+FFFD and
// advances by one byte, so every byte is consumed exactly once.
char32_t decodeUtf8(std::string_view s, std::size_t& pos);

// The same, with ASCII and two-byte sequences (Latin letters such as the
// umlauts) decoded in place: the loops over long texts call this.
inline char32_t nextUtf8(std::string_view s, std::size_t& pos)
{
    const auto b = static_cast<unsigned char>(s[pos]);
    if (b < 0x80) {
        ++pos;
        return b;
    }
    if (b >= 0xC2 && b < 0xE0 && pos + 1 < s.size()) {
        const auto t = static_cast<unsigned char>(s[pos + 1]);
        if ((t & 0xC0) == 0x80) {
            pos += 2;
            return static_cast<char32_t>((b & 0x1F) << 6 | (t & 0x3F));
        }
    }
    std::size_t at = pos; // a copy: the caller's index stays in a register
    const char32_t c = decodeUtf8(s, at);
    pos = at;
    return c;
}

void appendUtf8(std::string& out, char32_t cp);

bool isValidUtf8(std::string_view s);

// Number of code points.
std::size_t utf8Length(std::string_view s);

// The first `count` code points of `s`.
std::string_view utf8Left(std::string_view s, std::size_t count);

std::u16string utf8ToUtf16(std::string_view s);
// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view s);

} // namespace zt::platform::text
