#pragma once
// Embedding a font in a PDF: what the font's licence allows (its OS/2
// fsType bits) and the subset of its file that holds only the glyphs a
// document uses, made by HarfBuzz's subsetter.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zt::exporting {

enum class TPDFEmbedding {
    Subset,        // embedding and subsetting allowed
    WholeFileOnly, // embedding allowed, subsetting not (fsType bit 8)
    Forbidden,     // restricted licence or bitmap embedding only
};

// What the OS/2 table of the face `faceIndex` allows (in a collection each
// face has its own); a face without one allows all.
TPDFEmbedding EmbeddingPermission(std::span<const std::uint8_t> fontFile, int faceIndex = 0);

// The subset of the face `faceIndex` of a font file (TrueType or CFF
// outlines, alone or in a collection) that holds the glyphs of `unicodes`
// (and the notdef glyph) with their cmap and metrics, a font file of its
// own; nullopt when the file cannot be read or subset. With
// `keepGlyphNumbers` every glyph keeps its number (those left out are empty),
// as a font whose text names glyphs by number needs.
std::optional<std::vector<std::uint8_t>> SubsetFontFile(std::span<const std::uint8_t> fontFile,
                                                        const std::vector<char32_t>& unicodes, int faceIndex = 0,
                                                        bool keepGlyphNumbers = false);

// The PostScript name of the face (name table, id 6), as a PDF name may
// hold it; empty when the face has none.
std::string FontPostScriptName(std::span<const std::uint8_t> fontFile, int faceIndex = 0);

// The glyphs of a face's Unicode cmap, looked up one character at a time.
// The file must outlive the lookup.
class TPDFGlyphLookup {
public:
    TPDFGlyphLookup(std::span<const std::uint8_t> fontFile, int faceIndex);
    ~TPDFGlyphLookup();
    TPDFGlyphLookup(const TPDFGlyphLookup&) = delete;
    TPDFGlyphLookup& operator=(const TPDFGlyphLookup&) = delete;

    // The glyph of the character; 0 (the missing glyph) when the face lacks
    // it or cannot be read.
    std::uint32_t Glyph(char32_t c) const;
    // Glyphs in the face.
    unsigned GlyphCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The six capital letters that name a subset ("ABCDEF+Name"): the same for
// the same font and glyphs, so one letter always gives the same bytes.
std::string SubsetTag(const std::string& fontName, const std::vector<char32_t>& unicodes);

} // namespace zt::exporting
