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
