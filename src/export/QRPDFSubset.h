#pragma once
// Embedding a font in a PDF: what the font's licence allows (its OS/2
// fsType bits) and the subset of its file that holds only the glyphs a
// document uses, made by HarfBuzz's subsetter.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zt::report {

enum class TPDFEmbedding {
    Subset,        // embedding and subsetting allowed
    WholeFileOnly, // embedding allowed, subsetting not (fsType bit 8)
    Forbidden,     // restricted licence or bitmap embedding only
};

// What the font file's OS/2 table allows; a file without one allows all.
TPDFEmbedding EmbeddingPermission(const std::vector<std::uint8_t>& fontFile);

// The subset of a TrueType font file that holds the glyphs of `unicodes`
// (and the notdef glyph) with their cmap, metrics and hinting; nullopt when
// the file cannot be read or subset.
std::optional<std::vector<std::uint8_t>> SubsetFontFile(const std::vector<std::uint8_t>& fontFile,
                                                        const std::vector<char32_t>& unicodes);

// The six capital letters that name a subset ("ABCDEF+Name"): the same for
// the same font and glyphs, so one letter always gives the same bytes.
std::string SubsetTag(const std::string& fontName, const std::vector<char32_t>& unicodes);

} // namespace zt::report
