#include "platform/fonts/FontFace.h"

#include "platform/core/PlatformError.h"
#include "platform/core/WinMath.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <utility>

namespace zt::platform {

namespace {

// Full hinting for the black-and-white target: GDI computes advance widths
// with its monochrome rasteriser's hinting even when it draws with
// anti-aliasing. No auto-hinter: GDI runs a font's own instructions or none.
constexpr FT_Int32 kHintedLoadFlags = FT_LOAD_TARGET_MONO | FT_LOAD_NO_AUTOHINT;

int u16(const std::vector<std::uint8_t>& t, std::size_t at)
{
    return (t[at] << 8) | t[at + 1];
}

} // namespace

struct FontFace::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::mutex mutex;
    // One size object per pixel size, so that switching between the sizes of
    // the fonts sharing this face does not re-run the font's prep program.
    std::map<int, FT_Size> sizes;
    bool symbolCmap = false;
    // hdmx: the device records by pixel size, each the offset of its widths.
    std::vector<std::uint8_t> hdmx;
    std::map<int, std::size_t> hdmxRecords;
    // The file's bytes, read when FreeType did not map it.
    std::optional<std::vector<std::uint8_t>> fileCopy;
    // Hinted advances known (adopted or measured) and those measured here.
    FontFace::AdvanceTable known;
    FontFace::AdvanceTable measured;
    std::size_t hinted = 0;

    ~Impl()
    {
        if (face)
            FT_Done_Face(face);  // also frees the sizes
        if (library)
            FT_Done_FreeType(library);
    }

    FT_Size sizeFor(int ppem)
    {
        if (auto it = sizes.find(ppem); it != sizes.end())
            return it->second;
        FT_Size size = nullptr;
        if (FT_New_Size(face, &size) != 0)
            return nullptr;
        if (FT_Activate_Size(size) != 0 || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem)) != 0) {
            FT_Done_Size(size);
            return nullptr;
        }
        sizes.emplace(ppem, size);
        return size;
    }

    void readHdmx(int glyphCount)
    {
        FT_ULong length = 0;
        if (FT_Load_Sfnt_Table(face, TTAG_hdmx, 0, nullptr, &length) != 0 || length < 8)
            return;
        hdmx.resize(length);
        if (FT_Load_Sfnt_Table(face, TTAG_hdmx, 0, hdmx.data(), &length) != 0) {
            hdmx.clear();
            return;
        }
        const int records = u16(hdmx, 2);
        const std::size_t recordSize = (std::size_t(u16(hdmx, 4)) << 16) | std::size_t(u16(hdmx, 6));
        if (recordSize < std::size_t(2 + glyphCount))
            return;
        for (int i = 0; i < records; ++i) {
            const std::size_t at = 8 + std::size_t(i) * recordSize;
            if (at + 2 + std::size_t(glyphCount) > hdmx.size())
                break;
            hdmxRecords.emplace(hdmx[at], at + 2);
        }
    }

    // Top of a glyph's outline in font units, for fonts whose OS/2 table
    // predates the x-height and cap-height fields.
    int glyphTop(char32_t cp)
    {
        const FT_UInt glyph = FT_Get_Char_Index(face, cp);
        if (glyph == 0 || FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) != 0)
            return 0;
        return static_cast<int>(face->glyph->metrics.horiBearingY);
    }
};

FontFace::FontFace(ResolvedFace resolved) : resolved_(std::move(resolved)), impl_(std::make_unique<Impl>())
{
    if (FT_Init_FreeType(&impl_->library) != 0)
        throw PlatformError(ErrorKind::SystemFailure, "Die Schriftbibliothek kann nicht gestartet werden");
    // v35 is the interpreter that behaves as the GDI black-and-white
    // rasteriser: no backward-compatibility mode, hdmx widths honoured.
    FT_UInt version = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(impl_->library, "truetype", "interpreter-version", &version);
    if (FT_New_Face(impl_->library, resolved_.file.c_str(), resolved_.index, &impl_->face) != 0)
        throw PlatformError(ErrorKind::SystemFailure, "Die Schriftdatei \"" + resolved_.file + "\" kann nicht gelesen werden");
    FT_Face face = impl_->face;
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0)
        impl_->symbolCmap = FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) == 0;

    FaceMetrics& m = metrics_;
    m.unitsPerEm = face->units_per_EM ? face->units_per_EM : 2048;
    m.glyphCount = static_cast<int>(face->num_glyphs);
    m.fixedPitch = FT_IS_FIXED_WIDTH(face);
    m.xMin = static_cast<int>(face->bbox.xMin);
    m.yMin = static_cast<int>(face->bbox.yMin);
    m.xMax = static_cast<int>(face->bbox.xMax);
    m.yMax = static_cast<int>(face->bbox.yMax);
    m.hheaAscender = face->ascender;
    m.hheaDescender = face->descender;
    m.hheaLineGap = face->height - face->ascender + face->descender;
    if (const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA))) {
        m.hheaAscender = hhea->Ascender;
        m.hheaDescender = hhea->Descender;
        m.hheaLineGap = hhea->Line_Gap;
    }
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF) {
        m.os2Version = os2->version;
        m.winAscent = os2->usWinAscent;
        // Some font tools write the descent as a negative value.
        m.winDescent = std::abs(static_cast<std::int16_t>(os2->usWinDescent));
        m.typoAscender = os2->sTypoAscender;
        m.typoDescender = os2->sTypoDescender;
        m.typoLineGap = os2->sTypoLineGap;
        m.avgCharWidth = os2->xAvgCharWidth;
        if (os2->version >= 2) {
            m.xHeight = os2->sxHeight;
            m.capHeight = os2->sCapHeight;
        }
    } else {
        // Without OS/2, GDI takes the vertical metrics from hhea.
        m.winAscent = m.hheaAscender;
        m.winDescent = -m.hheaDescender;
        m.typoAscender = m.hheaAscender;
        m.typoDescender = m.hheaDescender;
        m.typoLineGap = m.hheaLineGap;
    }
    if (m.winAscent + m.winDescent <= 0) {
        m.winAscent = m.yMax;
        m.winDescent = -m.yMin;
    }
    if (m.os2Version < 2) {
        m.xHeight = impl_->glyphTop(U'x');
        m.capHeight = impl_->glyphTop(U'H');
    }
    if (const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST)))
        m.italicAngle = static_cast<std::int32_t>(post->italicAngle);
    impl_->readHdmx(m.glyphCount);
    m.hasHdmx = !impl_->hdmxRecords.empty();
}

FontFace::~FontFace() = default;

std::uint32_t FontFace::glyphIndex(char32_t cp) const
{
    std::lock_guard lock(impl_->mutex);
    FT_UInt glyph = FT_Get_Char_Index(impl_->face, cp);
    // Symbol fonts map their characters into U+F000..U+F0FF; GDI finds the
    // single-byte codes there.
    if (glyph == 0 && impl_->symbolCmap && cp < 0x100)
        glyph = FT_Get_Char_Index(impl_->face, 0xF000 | cp);
    return glyph;
}

int FontFace::designAdvance(std::uint32_t glyph) const
{
    std::lock_guard lock(impl_->mutex);
    FT_Fixed advance = 0;
    if (FT_Get_Advance(impl_->face, glyph, FT_LOAD_NO_SCALE, &advance) != 0)
        return 0;
    return static_cast<int>(advance);
}

int FontFace::hintedAdvance(std::uint32_t glyph, int ppem) const
{
    {
        std::lock_guard lock(impl_->mutex);
        if (const auto size = impl_->known.find(ppem); size != impl_->known.end())
            if (const auto it = size->second.find(glyph); it != size->second.end())
                return it->second;
    }
    int advance = 0;
    bool loaded = false;
    {
        std::lock_guard lock(impl_->mutex);
        ++impl_->hinted;
        FT_Size size = impl_->sizeFor(ppem);
        if (size && FT_Activate_Size(size) == 0 && FT_Load_Glyph(impl_->face, glyph, kHintedLoadFlags) == 0) {
            advance = static_cast<int>((impl_->face->glyph->advance.x + 32) >> 6);
            loaded = true;
        }
    }
    // A glyph whose instructions fail: GDI then draws it unhinted.
    if (!loaded)
        advance = MulDiv(designAdvance(glyph), ppem, metrics_.unitsPerEm);
    std::lock_guard lock(impl_->mutex);
    impl_->known[ppem][glyph] = advance;
    impl_->measured[ppem][glyph] = advance;
    return advance;
}

void FontFace::adoptAdvances(const AdvanceTable& advances)
{
    std::lock_guard lock(impl_->mutex);
    for (const auto& [ppem, glyphs] : advances)
        impl_->known[ppem].insert(glyphs.begin(), glyphs.end());
}

FontFace::AdvanceTable FontFace::measuredAdvances() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->measured;
}

std::size_t FontFace::hintedGlyphs() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->hinted;
}

std::optional<int> FontFace::hdmxAdvance(std::uint32_t glyph, int ppem) const
{
    const auto it = impl_->hdmxRecords.find(ppem);
    if (it == impl_->hdmxRecords.end() || glyph >= std::uint32_t(metrics_.glyphCount))
        return std::nullopt;
    return impl_->hdmx[it->second + glyph];
}

std::span<const std::uint8_t> FontFace::fileBytes() const
{
    // FreeType has mapped the file into memory already: the PDF writer reads
    // the tables it embeds from there instead of a copy of the whole file.
    if (const FT_Stream stream = impl_->face->stream; stream != nullptr && stream->base != nullptr && stream->size > 0)
        return {stream->base, stream->size};
    std::lock_guard lock(impl_->mutex);
    if (!impl_->fileCopy)
        impl_->fileCopy = readWholeFile();
    return *impl_->fileCopy;
}

std::vector<std::uint8_t> FontFace::fileData() const
{
    const std::span<const std::uint8_t> bytes = fileBytes();
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> FontFace::readWholeFile() const
{
    std::ifstream in(resolved_.file, std::ios::binary);
    if (!in)
        throwSystemError("Die Schriftdatei \"" + resolved_.file + "\" kann nicht geöffnet werden", errno);
    // One read of the whole file: a byte-wise copy costs far more for the
    // hundreds of kilobytes of a font embedded into every PDF.
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes(size > 0 ? static_cast<std::size_t>(size) : 0);
    if (!bytes.empty())
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad() || size < 0 || in.gcount() != static_cast<std::streamsize>(bytes.size()))
        throwSystemError("Die Schriftdatei \"" + resolved_.file + "\" kann nicht gelesen werden", errno);
    return bytes;
}

} // namespace zt::platform
