#pragma once
// Font resources of the PDF writer: the key that tells fonts apart, and the
// objects written for each (a standard font, or a TrueType or, for CFF
// outlines, a Type 1 font with widths, encoding and descriptor, its file
// embedded or not).

#include "export/QRPDFFilter.h"
#include "platform/fonts/FontService.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace zt::exporting {

using namespace zt::report;

class TPDFObjectTable;
struct TPDFArchiveFont;

// The four TAB-separated fields of a font key.
struct TPDFFontKey {
    std::string face;       // trimmed face name
    std::string style;      // "", "B", "I" or "BI"
    int charset = 0;
    std::string psName;     // face without blanks, ",Bold", ",Italic", ",BoldItalic"

    std::string Text() const;
    static TPDFFontKey Parse(const std::string& key);
    static TPDFFontKey Of(const std::string& face, bool bold, bool italic, int charset);
    bool Bold() const { return style.find('B') != std::string::npos; }
    bool Italic() const { return style.find('I') != std::string::npos; }
};

struct TPDFFontOptions {
    TFontHandling handling = TFontHandling::fhNoEmbedding;
    const std::vector<std::string>* substituted = nullptr;
    const std::vector<std::string>* embed = nullptr;
    const std::vector<std::pair<std::string, std::string>>* customWidths = nullptr;
    const std::vector<std::pair<std::string, std::string>>* customEncodings = nullptr;
    bool archive = false;   // the filter writes an archive document
};

// The standard font that stands in for a key under fhSubstitute.
std::string PDFStandardFontName(const TPDFFontKey& key, const std::vector<std::string>& substituted);
// The code page of a character set; the default ones take the filters'
// output code page (Codepage).
int PDFCodePageOfCharset(int charset);
// The single-byte code page a text in that character set is written in
// (1252 for the multi-byte ones, which the writer cannot hold).
int PDFTextCodePage(int charset);
// The font a key asks for, at the 1024-unit height its widths are measured at.
platform::LogFont PDFFontRequest(const TPDFFontKey& key);
// The widths of codes 0-255 in glyph space (thousandths of the em), as the
// font object lists them.
std::array<int, 256> PDFGlyphWidths(const TPDFFontKey& key, const platform::LogFont& lf);
std::array<int, 256> PDFGlyphWidths(const TPDFFontKey& key);

// Whether the font's file (whole or a subset) is meant to go into the document.
bool PDFFontEmbedded(const TPDFFontKey& key, const TPDFFontOptions& options);

// What a font resource writes, settled before the objects are numbered: a
// font whose file cannot be read, subset or embedded is written without it.
struct TPDFFontPlan {
    bool standard = false;                 // a standard font (fhSubstitute)
    std::shared_ptr<const platform::Font> font;
    std::span<const std::uint8_t> data;    // the whole font file, valid while `font` lives
    int faceIndex = 0;                     // the face in use, when the file is a collection
    std::vector<std::uint8_t> embedded;    // the bytes embedded (a font file of the face alone); empty: none
    std::string baseFont;                  // the PostScript-style name, "ABCDEF+" before it for a subset
    bool subset = false;
    // Archive documents: the font has a Unicode map of its codes, for a
    // composite font (two-byte codes, glyphs of the subset) the codes its
    // text used, for a single-byte one the codes of `usedCodes`.
    bool toUnicode = false;
    bool composite = false;
    std::vector<std::pair<std::uint16_t, char32_t>> codes;  // composite: code and character, first use first
    std::vector<std::uint16_t> glyphs;                      // composite TrueType: the embedded glyph of each code
    std::bitset<256> usedCodes;
    // Why the font is not embedded, in German; empty when it is (or was
    // not meant to be, outside an archive document).
    std::string notEmbedded;

    // Objects the resource takes: 1, 2 or 4 (a composite font more, see ReservePDFFont).
    int ObjectCount() const;
    // Whether the face has CFF outlines, written as a Type 1 font whose
    // embedded file is an OpenType font file.
    bool CffOutlines() const;
};

// Settles whether and how the font file in `plan.data` is embedded: whole,
// as a subset of the codes in `used` (its base font then tagged), or not at
// all when the licence forbids it or the file cannot be subset.
void PlanPDFFontEmbedding(const TPDFFontKey& key, const TPDFFontOptions& options, const std::bitset<256>* used,
                          TPDFFontPlan& plan);
// The plan of one font resource; `used` holds the codes its text runs use
// (what a subset keeps), none when nothing is known. In an archive document
// every font is embedded where its licence and file allow: `archive` is
// what the resource's text was written with (OpenPDFArchiveFont), its
// characters what a composite font's subset keeps; its file moves into the
// plan, as it is read once per document.
TPDFFontPlan PlanPDFFont(const TPDFFontKey& key, const TPDFFontOptions& options, const std::bitset<256>* used,
                         TPDFArchiveFont* archive = nullptr);
// Whether every font resource of a document is embedded, as an archive
// document needs: empty when so, else for each font that is not why not,
// in German ("Die Schrift „X“ darf nicht eingebettet werden."). Such a
// document must not claim to be an archive document.
std::string PDFFontsNotEmbedded(const std::vector<TPDFFontPlan>& plans);
// The objects of a font resource: its font dictionary; for a font described
// by its widths, the descriptor; for an embedded file, the file's stream and
// the object holding its length; for a composite font its descendant font
// and the stream mapping codes to glyphs with its length; the Unicode map.
// 0 where the resource has none.
struct TPDFFontObjects {
    int font = 0, descriptor = 0, file = 0, length = 0;
    int descendant = 0, toUnicode = 0, glyphMap = 0, glyphMapLength = 0;
};
// Reserves the plan's objects (ObjectCount of them) in the order they are written.
TPDFFontObjects ReservePDFFont(const TPDFFontPlan& plan, TPDFObjectTable& table);
// Writes the objects of resource `resource` under the numbers reserved for them.
void WritePDFFont(const TPDFFontKey& key, const TPDFFontPlan& plan, int resource, const TPDFFontObjects& objects,
                  const TPDFFontOptions& options, TPDFObjectTable& table);

} // namespace zt::exporting
