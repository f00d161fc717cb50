#pragma once
// The 8-bit code page of the system's text files (Windows-1252). The five
// bytes the table leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// C1 controls of the same value, as Windows converts them, so every byte
// round-trips.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zt::platform::text {

inline constexpr int kCodePage1252 = 1252;

char32_t cp1252ToUnicode(std::uint8_t byte);
std::optional<std::uint8_t> unicodeToCp1252(char32_t cp);

// Bytes in Windows-1252 to UTF-8.
std::string decodeCp1252(std::string_view bytes);
// UTF-8 to Windows-1252; nullopt when a character has no byte in the table.
std::optional<std::string> encodeCp1252(std::string_view utf8);
bool fitsCp1252(std::string_view utf8);

// Whether `codePage` is one of the single-byte Windows code pages the
// system's converter knows (874, 1250-1258, 850 and the like); multi-byte
// ones (932, 936, 949, 950) and unknown numbers are not.
bool isSingleByteCodePage(int codePage);
// A single-byte code page's character for `byte` (from the C library's
// converter, so every Windows code page glibc knows); 0 for a byte the code
// page leaves undefined. A code page that is not single-byte reads as 1252.
char32_t codePageToUnicode(int codePage, std::uint8_t byte);
// The byte of `cp` in a single-byte code page; none when it has none. A
// code page that is not single-byte writes as 1252.
std::optional<std::uint8_t> unicodeToCodePage(int codePage, char32_t cp);

} // namespace zt::platform::text
