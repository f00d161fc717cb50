#include "export/QRPDFCompositeFont.h"

#include "export/QRPDFSubset.h"
#include "base/QRMath.h"
#include "platform/fonts/FontService.h"
#include "platform/fonts/SfntFile.h"
#include "platform/text/Utf.h"

#include <cstring>

namespace zt::exporting {

using namespace zt::report;

TPDFArchiveFont::TPDFArchiveFont() = default;
TPDFArchiveFont::~TPDFArchiveFont() = default;

namespace {

// A code's high byte, then its low byte, escaped for a literal string: the
// delimiters and the backslash, and the line ends a reader would change.
TPDFCodeBytes codeBytes(std::uint16_t code)
{
    TPDFCodeBytes out;
    for (const auto byte : {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}) {
        const char escaped = byte == '(' || byte == ')' || byte == '\\' ? byte
                             : byte == '\r'                             ? 'r'
                             : byte == '\n'                             ? 'n'
                                                                        : 0;
        if (escaped != 0)
            out.bytes[out.size++] = '\\';
        out.bytes[out.size++] = escaped != 0 ? escaped : byte;
    }
    return out;
}

} // namespace

std::uint16_t TPDFArchiveFont::codeOf(char32_t c)
{
    const auto it = byCharacter.find(c);
    if (it != byCharacter.end())
        return it->second;
    std::uint16_t code = 0;
    if (cff) {
        code = static_cast<std::uint16_t>(glyphs ? std::min<std::uint32_t>(glyphs->Glyph(c), 0xFFFF) : 0);
    } else if (codes.size() < 0xFFFF) {
        // Code 0 stays the missing glyph's.
        code = static_cast<std::uint16_t>(codes.size() + 1);
    }
    byCharacter.emplace(c, code);
    if (c < latinBytes.size())
        latinBytes[c] = codeBytes(code);
    codes.emplace_back(code, c);
    return code;
}

void TPDFArchiveFont::AppendCodes(std::string& out, std::string_view utf8)
{
    // Four bytes a character at most: written in place, the rest cut off.
    const std::size_t start = out.size();
    out.resize(start + 4 * utf8.size());
    char* p = out.data() + start;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = platform::text::nextUtf8(utf8, i);
        TPDFCodeBytes code = c < latinBytes.size() ? latinBytes[c] : TPDFCodeBytes{};
        if (code.size == 0)
            code = codeBytes(codeOf(c));
        std::memcpy(p, code.bytes, sizeof code.bytes);
        p += code.size;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
}

std::vector<char32_t> TPDFArchiveFont::Characters() const
{
    std::vector<char32_t> out;
    out.reserve(codes.size());
    for (const auto& [code, c] : codes)
        out.push_back(c);
    return out;
}

std::shared_ptr<TPDFArchiveFont> OpenPDFArchiveFont(const TPDFFontKey& key)
{
    auto f = std::make_shared<TPDFArchiveFont>();
    try {
        f->font = platform::FontService::instance().font(PDFFontRequest(key));
        f->data = f->font->fontBytes();
        f->faceIndex = f->font->face().index;
    } catch (const std::exception&) {
        f->data = {};
    }
    SettlePDFArchiveFont(key, *f);
    return f;
}

void SettlePDFArchiveFont(const TPDFFontKey& key, TPDFArchiveFont& f)
{
    f.notEmbedded.clear();
    if (f.data.empty() || !platform::sfntDirectory(f.data, f.faceIndex))
        f.notEmbedded = "Die Schriftdatei von „" + key.face + "“ kann nicht gelesen werden.";
    else if (EmbeddingPermission(f.data, f.faceIndex) == TPDFEmbedding::Forbidden)
        f.notEmbedded = "Die Schrift „" + key.face + "“ darf nicht eingebettet werden.";
    f.composite = f.notEmbedded.empty();
    f.cff = f.composite && platform::hasCffOutlines(f.data, f.faceIndex);
    f.glyphs.reset();
    if (f.cff)
        f.glyphs = std::make_unique<TPDFGlyphLookup>(f.data, f.faceIndex);
}

int PDFCharacterWidth(const platform::Font& font, char32_t c)
{
    // As PDFGlyphWidths: measured at an em of 1024 pixels, listed in thousandths.
    return static_cast<int>(Round(font.advance(c) * 1000.0L / 1024.0L));
}

} // namespace zt::exporting
