#include "export/QRPDFSubset.h"

#include "platform/fonts/SfntFile.h"

#include <hb-subset.h>
#include <hb.h>
#include <hb-ot.h>

#include <memory>
#include <string_view>

namespace zt::exporting {

namespace {

struct BlobDeleter {
    void operator()(hb_blob_t* b) const { hb_blob_destroy(b); }
};
struct FaceDeleter {
    void operator()(hb_face_t* f) const { hb_face_destroy(f); }
};
struct InputDeleter {
    void operator()(hb_subset_input_t* i) const { hb_subset_input_destroy(i); }
};
struct FontDeleter {
    void operator()(hb_font_t* f) const { hb_font_destroy(f); }
};

// The face of the file, read in place; null when it is no font HarfBuzz can read.
std::unique_ptr<hb_face_t, FaceDeleter> openFace(std::span<const std::uint8_t> fontFile, int faceIndex)
{
    if (fontFile.size() < 12 || fontFile.size() > 0x7FFFFFFF || !platform::sfntDirectory(fontFile, faceIndex))
        return nullptr;
    const std::unique_ptr<hb_blob_t, BlobDeleter> blob(
        hb_blob_create_or_fail(reinterpret_cast<const char*>(fontFile.data()), static_cast<unsigned>(fontFile.size()),
                               HB_MEMORY_MODE_READONLY, nullptr, nullptr));
    if (!blob)
        return nullptr;
    std::unique_ptr<hb_face_t, FaceDeleter> face(hb_face_create(blob.get(), static_cast<unsigned>(faceIndex) & 0xFFFF));
    if (!face || hb_face_get_glyph_count(face.get()) == 0)
        return nullptr;
    return face;
}

} // namespace

struct TPDFGlyphLookup::Impl {
    std::unique_ptr<hb_face_t, FaceDeleter> face;
    std::unique_ptr<hb_font_t, FontDeleter> font;
};

TPDFGlyphLookup::TPDFGlyphLookup(std::span<const std::uint8_t> fontFile, int faceIndex)
    : impl_(std::make_unique<Impl>())
{
    impl_->face = openFace(fontFile, faceIndex);
    if (impl_->face)
        impl_->font.reset(hb_font_create(impl_->face.get()));
}

TPDFGlyphLookup::~TPDFGlyphLookup() = default;

std::uint32_t TPDFGlyphLookup::Glyph(char32_t c) const
{
    hb_codepoint_t glyph = 0;
    if (!impl_->font || !hb_font_get_nominal_glyph(impl_->font.get(), c, &glyph))
        return 0;
    return glyph;
}

unsigned TPDFGlyphLookup::GlyphCount() const
{
    return impl_->face ? hb_face_get_glyph_count(impl_->face.get()) : 0;
}

std::string FontPostScriptName(std::span<const std::uint8_t> fontFile, int faceIndex)
{
    const auto face = openFace(fontFile, faceIndex);
    if (!face)
        return {};
    char buf[128];
    unsigned size = sizeof buf;
    hb_ot_name_get_utf8(face.get(), HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &size, buf);
    // A PostScript name is printable ASCII without blanks; what a PDF name
    // cannot hold unescaped is left out.
    std::string name;
    for (unsigned i = 0; i < size && i < sizeof buf; ++i) {
        const char c = buf[i];
        if (c > ' ' && c < 0x7F && std::string_view("()<>[]{}/%#").find(c) == std::string_view::npos)
            name += c;
    }
    return name;
}

TPDFEmbedding EmbeddingPermission(std::span<const std::uint8_t> fontFile, int faceIndex)
{
    const auto os2 = platform::sfntTable(fontFile, faceIndex, "OS/2");
    if (!os2 || os2->length < 10)
        return TPDFEmbedding::Subset;
    // The table lies within the file, so its fsType field does too.
    const std::uint32_t fsType = static_cast<std::uint32_t>(fontFile[os2->offset + 8] << 8 | fontFile[os2->offset + 9]);
    // Bit 1 alone: restricted licence; bit 9: bitmaps only, which an
    // outline font without bitmaps cannot give.
    const bool restricted = (fsType & 0x000E) == 0x0002;
    if (restricted || (fsType & 0x0200) != 0)
        return TPDFEmbedding::Forbidden;
    return (fsType & 0x0100) != 0 ? TPDFEmbedding::WholeFileOnly : TPDFEmbedding::Subset;
}

std::optional<std::vector<std::uint8_t>> SubsetFontFile(std::span<const std::uint8_t> fontFile,
                                                        const std::vector<char32_t>& unicodes, int faceIndex,
                                                        bool keepGlyphNumbers)
{
    const auto face = openFace(fontFile, faceIndex);
    if (!face)
        return std::nullopt;
    const std::unique_ptr<hb_subset_input_t, InputDeleter> input(hb_subset_input_create_or_fail());
    if (!input)
        return std::nullopt;
    hb_set_t* wanted = hb_subset_input_unicode_set(input.get());
    for (const char32_t c : unicodes)
        hb_set_add(wanted, c);
    // Readers find a glyph through the names of the encoding and the font's
    // Unicode cmap, which the subset keeps for the characters asked for.
    hb_subset_input_set_flags(input.get(), keepGlyphNumbers ? HB_SUBSET_FLAGS_NO_HINTING | HB_SUBSET_FLAGS_RETAIN_GIDS
                                                            : HB_SUBSET_FLAGS_NO_HINTING);
    const std::unique_ptr<hb_face_t, FaceDeleter> subset(hb_subset_or_fail(face.get(), input.get()));
    if (!subset)
        return std::nullopt;
    const std::unique_ptr<hb_blob_t, BlobDeleter> out(hb_face_reference_blob(subset.get()));
    unsigned length = 0;
    const char* data = hb_blob_get_data(out.get(), &length);
    if (data == nullptr || length == 0)
        return std::nullopt;
    return std::vector<std::uint8_t>(data, data + length);
}

std::string SubsetTag(const std::string& fontName, const std::vector<char32_t>& unicodes)
{
    // FNV-1a over the name and the characters, spelt in base 26.
    std::uint64_t h = 14695981039346656037ull;
    const auto mix = [&h](std::uint64_t byte) {
        h ^= byte;
        h *= 1099511628211ull;
    };
    for (const char c : fontName)
        mix(static_cast<unsigned char>(c));
    for (const char32_t c : unicodes)
        for (int shift = 0; shift < 32; shift += 8)
            mix((c >> shift) & 0xFF);
    std::string tag(6, 'A');
    for (char& letter : tag) {
        letter = static_cast<char>('A' + h % 26);
        h /= 26;
    }
    return tag;
}

} // namespace zt::exporting
