#pragma once
// The Unicode map of a font (a ToUnicode CMap): for each code the text
// shows, the character it stands for, so a reader that extracts, searches
// or speaks the text gets the characters back whatever the glyphs are.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zt::exporting {

// The CMap's lines for codes of `codeBytes` bytes (1 or 2), each pair a
// code and its character; pairs are written in the order of their codes, a
// code given twice keeps its first character, and characters no text may
// map to (U+0000, the byte-order marks) are left out.
std::vector<std::string> ToUnicodeCMap(std::vector<std::pair<std::uint32_t, char32_t>> codes, int codeBytes);

} // namespace zt::exporting
