#pragma once
// One opened font file face and the design values the metrics are computed
// from. FreeType faces are not thread-safe, so every call that touches the
// face takes its mutex; the design values are read once at opening.

#include "platform/fonts/FontService.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace zt::platform {

// Design values in font units, from the head, hhea, OS/2 and post tables.
struct FaceMetrics {
    int unitsPerEm = 0;
    int winAscent = 0;           // OS/2 usWinAscent
    int winDescent = 0;          // OS/2 usWinDescent (positive below the baseline)
    int typoAscender = 0;
    int typoDescender = 0;       // negative below the baseline
    int typoLineGap = 0;
    int hheaAscender = 0;
    int hheaDescender = 0;       // negative below the baseline
    int hheaLineGap = 0;
    std::int32_t italicAngle = 0;  // post table, 16.16 fixed degrees
    int xHeight = 0;
    int capHeight = 0;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // head bounding box
    int avgCharWidth = 0;        // OS/2 xAvgCharWidth
    int os2Version = -1;         // -1 without an OS/2 table
    int glyphCount = 0;
    bool fixedPitch = false;
    bool hasHdmx = false;
};

class FontFace {
public:
    // Opens resolved.file at resolved.index; throws PlatformError when
    // FreeType cannot read it.
    explicit FontFace(ResolvedFace resolved);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const ResolvedFace& resolved() const { return resolved_; }
    const FaceMetrics& metrics() const { return metrics_; }

    // The glyph for a character through the Unicode cmap; 0 when the font
    // lacks it.
    std::uint32_t glyphIndex(char32_t cp) const;
    // Unscaled advance in font units (hmtx).
    int designAdvance(std::uint32_t glyph) const;
    // Integer advance at `ppem` with full TrueType hinting by the v35
    // interpreter, which applies hdmx widths as the GDI rasteriser does.
    int hintedAdvance(std::uint32_t glyph, int ppem) const;
    // Hinted advances by pixel size and glyph.
    using AdvanceTable = std::map<int, std::map<std::uint32_t, int>>;
    // Advances measured by an earlier run on the same file (FontCache.h),
    // answered without running the font's instructions.
    void adoptAdvances(const AdvanceTable& advances);
    // The advances this face measured itself since it was opened.
    AdvanceTable measuredAdvances() const;
    // How many glyphs it has run the instructions of.
    std::size_t hintedGlyphs() const;
    // The hdmx entry for the glyph at `ppem`, when the font records that size.
    std::optional<int> hdmxAdvance(std::uint32_t glyph, int ppem) const;

    // The bytes of the whole font file: FreeType's mapping of it (or, where
    // it read the file otherwise, a copy kept with the face), valid while
    // the face lives.
    std::span<const std::uint8_t> fileBytes() const;
    // The same, copied.
    std::vector<std::uint8_t> fileData() const;

private:
    struct Impl;
    std::vector<std::uint8_t> readWholeFile() const;

    ResolvedFace resolved_;
    FaceMetrics metrics_;
    std::unique_ptr<Impl> impl_;
};

} // namespace zt::platform
