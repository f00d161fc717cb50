#pragma once
// The text of an archive document: a font resource whose file can be
// embedded writes its characters as two-byte codes of a composite font
// (Identity-H), so no character is lost to a single-byte code page. The
// codes are handed out as the text runs come: for TrueType outlines one per
// character in the order of first use (the subset's glyphs are found by
// the map from code to glyph written with the font); for CFF outlines, whose
// codes must be the glyphs' own numbers, the glyph of the character.

#include "export/QRPDFFonts.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zt::exporting {

using namespace zt::report;

class TPDFGlyphLookup;

// A code's two bytes as a literal string holds them: each escaped where
// it must be, so one to four bytes.
struct TPDFCodeBytes {
    char bytes[4] = {};
    std::uint8_t size = 0;
};

struct TPDFArchiveFont {
    // Codes of two bytes; else the font could not be embedded and its text
    // takes the plain single-byte codes.
    bool composite = false;
    bool cff = false;
    std::shared_ptr<const platform::Font> font;
    std::span<const std::uint8_t> data;  // the font file, valid while `font` lives
    int faceIndex = 0;
    // Why the font cannot be embedded, in German; empty when it can.
    std::string notEmbedded;
    // The codes in the order of first use, each with the character it stands for.
    std::vector<std::pair<std::uint16_t, char32_t>> codes;
    std::unordered_map<char32_t, std::uint16_t> byCharacter;
    // The bytes of the codes of the first 256 characters as they go into
    // the text's string, escaped, with their count (0: none yet): almost
    // every character of a letter, without a hash lookup.
    std::array<TPDFCodeBytes, 256> latinBytes{};
    std::unique_ptr<TPDFGlyphLookup> glyphs;  // CFF: the glyph of a character

    TPDFArchiveFont();
    ~TPDFArchiveFont();
    // Appends the codes of the UTF-8 text, two bytes each, as they go
    // between "(" and ")" of a literal string: half the size of hex digits,
    // and a long letter's text is most of its document.
    void AppendCodes(std::string& out, std::string_view utf8);
    // The characters in the order of first use.
    std::vector<char32_t> Characters() const;

private:
    std::uint16_t codeOf(char32_t c);
};

// The font of a resource's first text line in an archive document: its
// file read and its licence asked once, for the text and the embedding.
std::shared_ptr<TPDFArchiveFont> OpenPDFArchiveFont(const TPDFFontKey& key);
// Settles from the font's file (`data`, `faceIndex`) whether it can be
// embedded, and so whether its text is composite.
void SettlePDFArchiveFont(const TPDFFontKey& key, TPDFArchiveFont& font);

// The width of a character in glyph space (thousandths of the em) as the
// plain font lists that of its code; `font` is realised at the 1024-unit
// height of PDFFontRequest.
int PDFCharacterWidth(const platform::Font& font, char32_t c);

} // namespace zt::exporting
