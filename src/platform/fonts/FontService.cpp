#include "platform/fonts/FontService.h"

#include "platform/core/PlatformError.h"
#include "platform/core/WinMath.h"
#include "platform/fonts/FontCache.h"
#include "platform/fonts/FontFace.h"
#include "platform/fonts/FontResolver.h"
#include "platform/text/CodePage.h"
#include "platform/text/Latin1Scan.h"
#include "platform/text/Utf.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <tuple>
#include <utility>

namespace zt::platform {

namespace {

// What GDI realises a height of 0 as: a 16-pixel cell.
constexpr int kDefaultCellHeight = 16;
// The height charWidths realises its request at.
constexpr int kCharWidthHeight = -1024;
// hdmx records widths up to 255 pixels per em; above that, grid fitting only
// rounds the scaled advance, so the design width scaled and rounded gives the
// same integer without running the font's instructions.
constexpr int kMaxHintedPpem = 255;
constexpr int kMaxPpem = 0x7FFF;
// Cache bounds: far above what one letter or report asks for.
constexpr std::size_t kMaxCachedResolutions = 256;
constexpr std::size_t kMaxCachedFonts = 2048;

int emPixelsFor(const FaceMetrics& fm, int height)
{
    if (height == 0)
        height = kDefaultCellHeight;
    std::int64_t ppem = 0;
    if (height < 0)
        ppem = -std::int64_t(height);
    else
        ppem = MulDiv(height, fm.unitsPerEm, fm.winAscent + fm.winDescent);
    return static_cast<int>(std::clamp<std::int64_t>(ppem, 1, kMaxPpem));
}

int clampToInt(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

} // namespace

// ---------------------------------------------------------------- Font

Font::Font(std::shared_ptr<FontFace> face, LogFont request)
    : face_(std::move(face)), request_(std::move(request)), page0_(std::make_unique<Page>())
{
    if (!face_)
        throw PlatformError(ErrorKind::SystemFailure, "Font \"" + request_.face + "\" has no face");
    page0_->fill(-1);
    resolved_ = face_->resolved();
    resolved_.requested = request_.face;

    const FaceMetrics& fm = face_->metrics();
    const int upem = fm.unitsPerEm;
    ppem_ = emPixelsFor(fm, request_.height);
    // GDI emboldens a regular face for a bold request, widening each glyph by
    // one pixel; a slanted regular face keeps its widths.
    synthBold_ = request_.bold() && !resolved_.bold ? 1 : 0;

    TextMetrics& tm = metrics_;
    tm.emHeight = ppem_;
    // Ascent and descent are rounded each on its own, as GDI does, so the
    // cell height can differ by one from the rounded sum.
    tm.ascent = MulDiv(fm.winAscent, ppem_, upem);
    tm.descent = MulDiv(fm.winDescent, ppem_, upem);
    tm.height = tm.ascent + tm.descent;
    tm.internalLeading = tm.height - ppem_;
    const int hheaSpan = fm.hheaAscender - fm.hheaDescender + fm.hheaLineGap;
    tm.externalLeading = std::max(0, MulDiv(hheaSpan - (fm.winAscent + fm.winDescent), ppem_, upem));
    tm.aveCharWidth = MulDiv(fm.avgCharWidth, ppem_, upem) + synthBold_;
    tm.maxCharWidth = MulDiv(fm.xMax - fm.xMin, ppem_, upem) + synthBold_;
    tm.weight = request_.bold() || resolved_.bold ? kFwBold : kFwNormal;
    tm.italic = request_.italic || resolved_.italic;
    tm.underline = request_.underline;
    tm.strikeOut = request_.strikeOut;
}

Font::~Font() = default;

const ResolvedFace& Font::face() const
{
    return resolved_;
}

std::int32_t Font::measure(char32_t cp) const
{
    const std::uint32_t glyph = face_->glyphIndex(cp);  // 0, the missing glyph, when absent
    const int advance = ppem_ > kMaxHintedPpem
        ? MulDiv(face_->designAdvance(glyph), ppem_, face_->metrics().unitsPerEm)
        : face_->hintedAdvance(glyph, ppem_);
    return advance + synthBold_;
}

inline std::int32_t Font::lookup(char32_t cp) const
{
    Page* page = nullptr;
    if (cp < 256) {
        page = page0_.get();
    } else {
        std::unique_ptr<Page>& slot = pages_[cp >> 8];
        if (!slot) {
            slot = std::make_unique<Page>();
            slot->fill(-1);
        }
        page = slot.get();
    }
    std::int32_t& entry = (*page)[cp & 0xFF];
    if (entry < 0)
        entry = measure(cp);
    return entry;
}

int Font::advance(char32_t cp) const
{
    std::lock_guard lock(mutex_);
    return lookup(cp);
}

std::int32_t Font::sharedPage0Advance() const
{
    const std::int32_t first = lookup(0);
    for (char32_t cp = 1; cp < 256; ++cp)
        if (lookup(cp) != first)
            return -1;
    return first;
}

int Font::textWidth(std::string_view utf8) const
{
    // Lines past this many: a long text's; a letter's short page is not.
    constexpr unsigned kCallsBeforeSharedAdvance = 200;
    std::int64_t width = 0;
    std::lock_guard lock(mutex_);
    if (sharedAdvance_ == kNotKnownYet && ++widthCalls_ >= kCallsBeforeSharedAdvance)
        sharedAdvance_ = sharedPage0Advance();
    if (sharedAdvance_ >= 0) {
        if (const text::Latin1Scan scan = text::scanLatin1(utf8); scan.latin1)
            return clampToInt(static_cast<std::int64_t>(scan.characters) * sharedAdvance_);
    }
    // The first 256 characters, nearly all of the text measured, straight
    // from their table once measured.
    const std::int32_t* const low = page0_->data();
    const auto* const bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    for (std::size_t pos = 0; pos < n;) {
        // A run of ASCII measured before: a loop of its own, kept in registers.
        std::int64_t run = 0;
        std::size_t i = pos;
        for (; i < n && bytes[i] < 0x80 && low[bytes[i]] >= 0; ++i)
            run += low[bytes[i]];
        width += run;
        pos = i;
        if (pos == n)
            break;
        const char32_t c = text::nextUtf8(utf8, pos);
        const std::int32_t known = c < 256 ? low[c] : -1;
        width += known >= 0 ? known : lookup(c);
    }
    return clampToInt(width);
}

TextSize Font::textExtent(std::string_view utf8) const
{
    return {textWidth(utf8), metrics_.height};
}

std::vector<std::int32_t> Font::advancesUtf16(std::u16string_view text) const
{
    std::vector<std::int32_t> out(text.size(), 0);
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out[i] = lookup(0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;  // the low surrogate keeps 0
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            // Measured as the replacement character it becomes in UTF-8, so
            // the spacing matches the width the layout computed.
            out[i] = lookup(text::kReplacementChar);
        } else {
            out[i] = lookup(u);
        }
    }
    return out;
}

OutlineMetrics Font::outlineMetrics() const
{
    const FaceMetrics& fm = face_->metrics();
    const int upem = fm.unitsPerEm;
    auto scale = [&](int v) { return MulDiv(v, ppem_, upem); };
    OutlineMetrics om;
    om.emSquare = upem;
    om.ascent = scale(fm.typoAscender);
    om.descent = scale(fm.typoDescender);
    om.lineGap = scale(fm.typoLineGap);
    // post gives 16.16 degrees; GDI reports tenths of a degree.
    om.italicAngle = MulDiv(fm.italicAngle, 10, 0x10000);
    om.capHeight = scale(fm.capHeight);
    om.xHeight = scale(fm.xHeight);
    om.boxLeft = scale(fm.xMin);
    om.boxBottom = scale(fm.yMin);
    om.boxRight = scale(fm.xMax);
    om.boxTop = scale(fm.yMax);
    return om;
}

std::vector<std::uint8_t> Font::fontData() const
{
    return face_->fileData();
}

std::span<const std::uint8_t> Font::fontBytes() const
{
    return face_->fileBytes();
}

// ---------------------------------------------------------------- FontService

namespace {

struct FontKey {
    std::string face;  // folded
    int height = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontKey&) const = default;
};

struct FontKeyHash {
    std::size_t operator()(const FontKey& k) const
    {
        const std::size_t flags = std::size_t(k.bold) | std::size_t(k.italic) << 1 | std::size_t(k.underline) << 2
            | std::size_t(k.strikeOut) << 3;
        std::size_t h = std::hash<std::string>()(k.face);
        h ^= (std::hash<int>()(k.height) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2));
        h ^= (flags + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2));
        return h;
    }
};

} // namespace

struct FontService::Impl {
    explicit Impl(std::string cacheFile) : resolver(std::string(kFallbackFamily), std::move(cacheFile)) {}

    FontResolver resolver;
    std::mutex mutex;
    // Resolutions by (folded face, bold, italic): fontconfig matching costs
    // far more than a map lookup.
    std::map<std::tuple<std::string, bool, bool>, ResolvedFace> resolved;
    // Opened files by (path, index), shared by all sizes and names of a face.
    std::map<std::pair<std::string, int>, std::shared_ptr<FontFace>> faces;
    std::unordered_map<FontKey, std::shared_ptr<const Font>, FontKeyHash> fonts;

    // The caller holds mutex.
    ResolvedFace resolveLocked(const std::string& face, bool bold, bool italic)
    {
        auto key = std::make_tuple(foldFaceName(face), bold, italic);
        auto it = resolved.find(key);
        if (it == resolved.end()) {
            // Face names come from files too (metafiles, saved reports), so
            // the cache is bounded; a real program asks for a handful.
            if (resolved.size() >= kMaxCachedResolutions)
                resolved.clear();
            it = resolved.emplace(std::move(key), resolver.resolve(face, bold, italic)).first;
        }
        ResolvedFace r = it->second;
        r.requested = face;
        return r;
    }
};

namespace {

std::string& instanceCacheFile()
{
    static std::string file;
    return file;
}

} // namespace

void FontService::keepResolutionsIn(std::string cacheFile)
{
    instanceCacheFile() = std::move(cacheFile);
}

FontService& FontService::instance()
{
    static FontService service(instanceCacheFile());
    return service;
}

FontService::FontService(std::string cacheFile) : impl_(std::make_unique<Impl>(std::move(cacheFile))) {}

FontService::~FontService() = default;

ResolvedFace FontService::resolve(const std::string& face, bool bold, bool italic)
{
    std::lock_guard lock(impl_->mutex);
    return impl_->resolveLocked(face, bold, italic);
}

std::shared_ptr<const Font> FontService::font(const LogFont& request)
{
    FontKey key{foldFaceName(request.face), request.height, request.bold(), request.italic, request.underline,
                request.strikeOut};
    std::lock_guard lock(impl_->mutex);
    if (auto it = impl_->fonts.find(key); it != impl_->fonts.end())
        return it->second;

    const ResolvedFace resolved = impl_->resolveLocked(request.face, request.bold(), request.italic);
    std::shared_ptr<FontFace>& face = impl_->faces[{resolved.file, resolved.index}];
    if (!face) {
        try {
            face = std::make_shared<FontFace>(resolved);
            FontFace::AdvanceTable kept;
            for (const CachedAdvances& a : impl_->resolver.keptAdvances(resolved.file, resolved.index))
                kept[a.ppem] = a.advances;
            face->adoptAdvances(kept);
        } catch (...) {
            impl_->faces.erase({resolved.file, resolved.index});
            throw;
        }
    }
    auto font = std::make_shared<const Font>(face, request);
    // Bounded like the resolutions: the fonts handed out stay alive with their users.
    if (impl_->fonts.size() >= kMaxCachedFonts)
        impl_->fonts.clear();
    impl_->fonts.emplace(std::move(key), font);
    return font;
}

std::shared_ptr<const Font> FontService::font(const std::string& face, int points, int dpi, bool bold, bool italic,
                                              bool underline, bool strikeOut)
{
    LogFont request;
    request.face = face;
    request.height = pointsToLogicalHeight(points, dpi);
    request.weight = bold ? kFwBold : kFwNormal;
    request.italic = italic;
    request.underline = underline;
    request.strikeOut = strikeOut;
    return font(request);
}

void FontService::keepMeasurements()
{
    std::vector<CachedAdvances> measured;
    {
        std::lock_guard lock(impl_->mutex);
        for (const auto& [key, face] : impl_->faces)
            for (auto& [ppem, advances] : face->measuredAdvances())
                measured.push_back({key.first, key.second, ppem, std::move(advances)});
    }
    impl_->resolver.keepAdvances(measured);
}

std::size_t FontService::hintedGlyphs() const
{
    std::lock_guard lock(impl_->mutex);
    std::size_t n = 0;
    for (const auto& [key, face] : impl_->faces)
        n += face->hintedGlyphs();
    return n;
}

std::size_t FontService::cachedFonts() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->fonts.size();
}

std::size_t FontService::cachedResolutions() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->resolved.size();
}

std::array<int, 256> FontService::charWidths(const LogFont& request, int codePage)
{
    LogFont large = request;
    large.height = kCharWidthHeight;
    const std::shared_ptr<const Font> f = font(large);
    std::array<int, 256> widths{};
    for (int code = 0; code < 256; ++code)
        widths[code] = f->advance(text::codePageToUnicode(codePage, static_cast<std::uint8_t>(code)));
    return widths;
}

} // namespace zt::platform
