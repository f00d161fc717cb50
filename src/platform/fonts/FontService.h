#pragma once
// The one font service: every measurement of text (line breaking, label
// sizing, canvas line heights, PDF widths) goes through it, so the window, the
// batch tool and the tests lay out the same text identically. Metrics follow
// the GDI rules for TrueType fonts at a given pixel height.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zt::platform {

inline constexpr int kFwNormal = 400;
inline constexpr int kFwBold = 700;
inline constexpr int kDefaultCharset = 1;

// What a logical font asks for (the LOGFONT fields the system uses).
struct LogFont {
    std::string face;          // "Courier New", "Arial", ...
    int height = 0;            // < 0: character (em) height in pixels; > 0: cell height; 0: a cell height of 16
    int weight = kFwNormal;    // >= 600 counts as bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = kDefaultCharset;

    bool bold() const { return weight >= 600; }
    bool operator==(const LogFont&) const = default;
};

// A face name resolved to a font file.
struct ResolvedFace {
    std::string requested;     // the face name asked for
    std::string family;        // the family of the file used
    std::string file;          // absolute path of the font file
    int index = 0;             // face index inside the file
    bool bold = false;         // the file's own style
    bool italic = false;
};

// TEXTMETRIC-like metrics at the realised pixel height.
struct TextMetrics {
    int height = 0;            // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;   // height - em height
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int emHeight = 0;          // pixels per em
    int weight = kFwNormal;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// OUTLINETEXTMETRIC-like values, in pixels at the realised height.
struct OutlineMetrics {
    int emSquare = 0;          // design units per em
    int ascent = 0;            // typographic ascender
    int descent = 0;           // typographic descender (negative, as Windows gives it)
    int lineGap = 0;
    int italicAngle = 0;       // tenths of a degree, counter-clockwise from vertical
    int capHeight = 0;
    int xHeight = 0;
    int boxLeft = 0, boxBottom = 0, boxRight = 0, boxTop = 0;
};

struct TextSize {
    int cx = 0;
    int cy = 0;
};

class FontFace;

// A logical font realised at its pixel height. Thread-safe; obtained from
// FontService::font() and shared.
class Font {
public:
    Font(std::shared_ptr<FontFace> face, LogFont request);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const LogFont& logFont() const { return request_; }
    const ResolvedFace& face() const;
    const TextMetrics& metrics() const { return metrics_; }

    // Integer advance width of one character (the missing glyph's for
    // characters the font lacks).
    int advance(char32_t cp) const;
    // Sum of the advances of the UTF-8 text; no kerning, as GDI measures.
    int textWidth(std::string_view utf8) const;
    // Width as textWidth, height the font's cell height (GetTextExtentPoint).
    TextSize textExtent(std::string_view utf8) const;
    // One advance per UTF-16 code unit of the text, as a spacing array of a
    // text-output record wants it (the low surrogate of a pair gets 0).
    std::vector<std::int32_t> advancesUtf16(std::u16string_view text) const;

    OutlineMetrics outlineMetrics() const;
    // The font file's bytes (what GetFontData gives for table 0, offset 0).
    std::vector<std::uint8_t> fontData() const;
    // The same bytes without a copy, valid while this font lives.
    std::span<const std::uint8_t> fontBytes() const;

    // Pixels per em the request realises to.
    int emPixels() const { return ppem_; }

private:
    using Page = std::array<std::int32_t, 256>;

    // The cached advance; the caller holds mutex_.
    std::int32_t lookup(char32_t cp) const;
    std::int32_t measure(char32_t cp) const;
    // The advance all of the first 256 characters share, -1 when they differ.
    std::int32_t sharedPage0Advance() const;

    std::shared_ptr<FontFace> face_;
    LogFont request_;
    ResolvedFace resolved_;    // the face's file, with this request's face name
    TextMetrics metrics_;
    int ppem_ = 0;
    int synthBold_ = 0;        // extra pixels per advance for a bold request on a regular face
    mutable std::mutex mutex_;
    // Advance cache in pages of 256 code points; -1 marks "not measured yet".
    // Page 0 (Latin-1) is allocated up front and kept apart from the map, as
    // nearly all text falls in it.
    std::unique_ptr<Page> page0_;
    mutable std::unordered_map<char32_t, std::unique_ptr<Page>> pages_;
    // A fixed-pitch font measures Latin-1 text by counting its characters.
    // Known after some measuring (all 256 advances are measured for it),
    // so a short run does not pay for it.
    static constexpr std::int32_t kNotKnownYet = -2;
    mutable std::int32_t sharedAdvance_ = kNotKnownYet;
    mutable unsigned widthCalls_ = 0;
};

class FontService {
public:
    static FontService& instance();
    // Where instance() keeps its face resolutions between runs (FontCache.h);
    // to be called before the first instance(). The batch tool does: a
    // process that starts the toolkit has fontconfig running anyway.
    static void keepResolutionsIn(std::string cacheFile);

    explicit FontService(std::string cacheFile = {});
    ~FontService();
    FontService(const FontService&) = delete;
    FontService& operator=(const FontService&) = delete;

    // Resolves the face through fontconfig with the metric-compatible
    // stand-ins; an unknown face falls back to the sans face, as GDI
    // substitutes its default. Throws PlatformError naming the face when no
    // font file can be found at all.
    ResolvedFace resolve(const std::string& face, bool bold, bool italic);

    // The realised font for a request, cached per (face, style, pixel height).
    std::shared_ptr<const Font> font(const LogFont& request);

    // The font at a point size on a device of `dpi` pixels per inch.
    std::shared_ptr<const Font> font(const std::string& face, int points, int dpi, bool bold = false,
                                     bool italic = false, bool underline = false, bool strikeOut = false);

    // Advance widths of the 256 single-byte codes of `codePage` at a
    // character height of 1024 units (GetCharWidth32 on such a font).
    std::array<int, 256> charWidths(const LogFont& request, int codePage);

    // With a cache file: adds the advances measured in this run to it, so
    // the next run need not run the fonts' instructions for those glyphs.
    // A batch run calls it when its work is done.
    void keepMeasurements();
    // How many glyphs the faces opened so far have run the instructions of.
    std::size_t hintedGlyphs() const;

    // How many realised fonts and face resolutions are cached: bounded, as
    // requests may come from files.
    std::size_t cachedFonts() const;
    std::size_t cachedResolutions() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace zt::platform
