#pragma once
// The published glyph list (1051 names with their Unicode values, sorted by
// name): the names the encoding differences of a TrueType font give its codes.

#include <string>
#include <utility>
#include <vector>

namespace zt::exporting {

// The table in its order: (Unicode value, glyph name).
const std::vector<std::pair<char32_t, std::string>>& GlyphTable();

// The name of the first pair in table order whose value is `c`; empty when none.
const std::string& GlyphName(char32_t c);

} // namespace zt::exporting
