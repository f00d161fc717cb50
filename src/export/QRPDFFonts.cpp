#include "export/QRPDFFonts.h"

#include "export/QRPDFCompositeFont.h"
#include "export/QRPDFDocument.h"
#include "export/QRPDFObjects.h"
#include "export/QRPDFGlyphs.h"
#include "export/QRPDFSubset.h"
#include "export/QRPDFToUnicode.h"
#include "platform/fonts/FontService.h"
#include "platform/fonts/SfntFile.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/CodePage.h"
#include "base/QRError.h"
#include "platform/text/Trim.h"
#include "report/QRExportFilter.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace zt::exporting {

using namespace zt::report;

namespace text = platform::text;

namespace {

std::string trim(const std::string& s)
{
    return std::string(text::trimmed(s));
}

const std::string* lookup(const std::vector<std::pair<std::string, std::string>>* list, const std::string& name)
{
    if (list == nullptr)
        return nullptr;
    for (const auto& [k, v] : *list)
        if (text::equalsIgnoringAsciiCase(k, name))
            return &v;
    return nullptr;
}

std::uint32_t be16(std::span<const std::uint8_t> d, std::size_t at)
{
    return at + 2 <= d.size() ? static_cast<std::uint32_t>(d[at] << 8 | d[at + 1]) : 0;
}

int signed16(std::uint32_t v)
{
    return v >= 0x8000 ? static_cast<int>(v) - 0x10000 : static_cast<int>(v);
}

// Glyph space of a PDF font is a thousandth of the em.
int toGlyphSpace(long double value, long double unitsPerEm)
{
    return unitsPerEm > 0 ? static_cast<int>(Round(value * 1000.0L / unitsPerEm)) : 0;
}

struct TrueTypeTables {
    std::size_t os2 = 0, head = 0;
    bool hasOs2 = false, hasHead = false;
};

// The tables of the face in use, which in a collection are not the first face's.
TrueTypeTables findTables(std::span<const std::uint8_t> data, int faceIndex)
{
    TrueTypeTables t;
    if (const auto os2 = platform::sfntTable(data, faceIndex, "OS/2")) {
        t.os2 = os2->offset;
        t.hasOs2 = true;
    }
    if (const auto head = platform::sfntTable(data, faceIndex, "head")) {
        t.head = head->offset;
        t.hasHead = true;
    }
    return t;
}

int flagsOf(int familyClass)
{
    switch (familyClass) {
    case 0: return 4;
    case 8: return 32;
    case 10: return 40;
    case 12: return 4;
    default: return 34;
    }
}

void writeStandardFont(const TPDFFontKey& key, int resource, int n, const TPDFFontOptions& options,
                       TPDFObjectTable& table)
{
    static const std::vector<std::string> none;
    table.Object(n, {"<<", "/Type /Font", "/Subtype /Type1", "/Name /F" + PdfResourceNumber(resource),
                     "/BaseFont /" + PDFStandardFontName(key, options.substituted ? *options.substituted : none),
                     "/Encoding /WinAnsiEncoding", ">>"});
}

std::string encodingOf(const TPDFFontKey& key, const TPDFFontOptions& options)
{
    if (const std::string* custom = lookup(options.customEncodings, key.psName))
        return " <</Type/Encoding /Differences [ " + *custom + " ]>>";
    const int codePage = PDFTextCodePage(key.charset);
    std::string s = " <</Type/Encoding /Differences [ 2 ";
    for (int code = 2; code <= 255; ++code) {
        const std::string& name = GlyphName(text::codePageToUnicode(codePage, static_cast<std::uint8_t>(code)));
        s += '/';
        s += name.empty() ? std::string_view("space") : std::string_view(name);
    }
    return s + "]>>";
}

std::array<std::string, 256> widthsOf(const TPDFFontKey& key, const platform::LogFont& lf,
                                      const TPDFFontOptions& options)
{
    std::array<std::string, 256> widths;
    if (const std::string* custom = lookup(options.customWidths, key.psName)) {
        std::vector<std::string> pieces;
        std::size_t pos = 0;
        while (pos < custom->size()) {
            const std::size_t end = std::min(custom->find(' ', pos), custom->size());
            if (end > pos)
                pieces.push_back(custom->substr(pos, end - pos));
            pos = end + 1;
        }
        if (pieces.size() < 256)
            throw EQRError(ErrorKind::InternalFault, "Not enough Custom widths (" + std::to_string(pieces.size()) +
                                                         " < 256) for font \"" + key.Text() + "\"  ");
        for (std::size_t i = 0; i < 256; ++i)
            widths[i] = pieces[i];
        return widths;
    }
    const std::array<int, 256> measured = PDFGlyphWidths(key, lf);
    for (std::size_t i = 0; i < 256; ++i)
        widths[i] = std::to_string(measured[i]);
    return widths;
}

} // namespace

std::array<int, 256> PDFGlyphWidths(const TPDFFontKey& key, const platform::LogFont& lf)
{
    std::array<int, 256> measured{};
    try {
        measured = platform::FontService::instance().charWidths(lf, PDFTextCodePage(key.charset));
    } catch (const std::exception& e) {
        throw EQRError(ErrorKind::SystemFailure,
                       "Font widths for \"" + lf.face + "\" not obtainable (" + e.what() + ")");
    }
    // Measured at an em of 1024 pixels; the PDF's glyph space has 1000 units.
    for (int& w : measured)
        w = toGlyphSpace(w, 1024.0L);
    return measured;
}

std::array<int, 256> PDFGlyphWidths(const TPDFFontKey& key)
{
    return PDFGlyphWidths(key, PDFFontRequest(key));
}

platform::LogFont PDFFontRequest(const TPDFFontKey& key)
{
    platform::LogFont lf;
    lf.face = key.face;
    lf.height = -1024;
    lf.weight = key.Bold() ? platform::kFwBold : platform::kFwNormal;
    lf.italic = key.Italic();
    lf.charset = key.charset;
    return lf;
}

std::string TPDFFontKey::Text() const
{
    return face + "\t" + style + "\t" + std::to_string(charset) + "\t" + psName;
}

TPDFFontKey TPDFFontKey::Parse(const std::string& key)
{
    TPDFFontKey k;
    std::vector<std::string> parts;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t tab = key.find('\t', pos);
        parts.push_back(key.substr(pos, tab == std::string::npos ? std::string::npos : tab - pos));
        if (tab == std::string::npos)
            break;
        pos = tab + 1;
    }
    parts.resize(4);
    k.face = parts[0];
    k.style = parts[1];
    // A key this filter did not write may hold no number there: no charset.
    if (std::from_chars(parts[2].data(), parts[2].data() + parts[2].size(), k.charset).ec != std::errc())
        k.charset = 0;
    k.psName = parts[3];
    return k;
}

TPDFFontKey TPDFFontKey::Of(const std::string& face, bool bold, bool italic, int charset)
{
    TPDFFontKey k;
    // The key's fields are tab-separated; a face name from a report file may
    // hold any byte, so its control characters count as spaces.
    std::string clean = face;
    for (char& c : clean)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    k.face = trim(clean);
    k.style = std::string(bold ? "B" : "") + (italic ? "I" : "");
    k.charset = charset;
    for (char c : k.face)
        if (c != ' ')
            k.psName += c;
    if (bold || italic)
        k.psName += std::string(",") + (bold ? "Bold" : "") + (italic ? "Italic" : "");
    return k;
}

std::string PDFStandardFontName(const TPDFFontKey& key, const std::vector<std::string>& substituted)
{
    static const std::array<const char*, 5> standard{"Courier", "Helvetica", "Times", "Symbol", "ZapfDingbats"};
    std::string name = "Courier";
    for (const std::string& entry : substituted) {
        if (entry.size() < key.face.size() ||
            !text::equalsIgnoringAsciiCase(std::string_view(entry).substr(0, key.face.size()), key.face))
            continue;
        const std::size_t colon = entry.find(':');
        std::string target = colon == std::string::npos ? std::string() : entry.substr(colon + 1);
        if (target.empty())
            target = "Courier";
        target = target.substr(0, target.find('-'));
        name = "Courier";
        for (const char* s : standard)
            if (text::equalsIgnoringAsciiCase(target, s))
                name = s;
        break;
    }
    if (key.Bold() || key.Italic()) {
        name += "-";
        if (key.Bold())
            name += "Bold";
        if (key.Italic())
            name += (name.starts_with("Helvetica") || name.starts_with("Courier")) ? "Oblique" : "Italic";
    }
    return name;
}

int PDFCodePageOfCharset(int charset)
{
    switch (charset) {
    case 128: return 932;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 850;  // the OEM code page of a German system
    default: break;
    }
    // The default character sets write in the filters' output code page.
    const std::string page = TQRPAbstractExportFilter::Codepage();
    int number = 0;
    const auto b = page.find_first_not_of(' ');
    if (b == std::string::npos ||
        std::from_chars(page.data() + b, page.data() + page.size(), number).ec != std::errc() || number <= 0)
        return 1252;
    return number;
}

int PDFTextCodePage(int charset)
{
    const int codePage = PDFCodePageOfCharset(charset);
    return text::isSingleByteCodePage(codePage) ? codePage : 1252;
}

namespace {

// Fonts named for embedding are matched by their face name; their whole file goes in.
bool namedForEmbedding(const TPDFFontKey& key, const TPDFFontOptions& options)
{
    if (options.embed != nullptr)
        for (const std::string& name : *options.embed)
            if (text::equalsIgnoringAsciiCase(trim(name), key.face))
                return true;
    return false;
}

} // namespace

bool PDFFontEmbedded(const TPDFFontKey& key, const TPDFFontOptions& options)
{
    if (options.handling == TFontHandling::fhSubstitute)
        return false;
    if (options.handling == TFontHandling::fhAutoEmbed || options.handling == TFontHandling::fhEmbedSubset)
        return true;
    return namedForEmbedding(key, options);
}

namespace {

// The characters a subset must hold: those of the codes used, as the
// encoding names them, and the blank.
std::vector<char32_t> usedCharacters(const TPDFFontKey& key, const std::bitset<256>& used)
{
    std::vector<char32_t> out{U' '};
    const int codePage = PDFTextCodePage(key.charset);
    for (int code = 0x21; code <= 0xFF; ++code)
        if (used.test(static_cast<std::size_t>(code)))
            out.push_back(text::codePageToUnicode(codePage, static_cast<std::uint8_t>(code)));
    return out;
}

} // namespace

void PlanPDFFontEmbedding(const TPDFFontKey& key, const TPDFFontOptions& options, const std::bitset<256>* used,
                          TPDFFontPlan& plan)
{
    if (!PDFFontEmbedded(key, options) || plan.data.empty())
        return;
    const TPDFEmbedding allowed = EmbeddingPermission(plan.data, plan.faceIndex);
    if (allowed == TPDFEmbedding::Forbidden)
        return; // the licence says no: the reader substitutes by the widths
    const bool subset = options.handling == TFontHandling::fhEmbedSubset && allowed == TPDFEmbedding::Subset &&
                        used != nullptr && !namedForEmbedding(key, options);
    if (!subset) {
        // A PDF holds one font, not a collection: the face's own tables.
        plan.embedded = platform::sfntFace(plan.data, plan.faceIndex);
        return;
    }
    const std::vector<char32_t> characters = usedCharacters(key, *used);
    if (auto bytes = SubsetFontFile(plan.data, characters, plan.faceIndex)) {
        plan.embedded = std::move(*bytes);
        plan.subset = true;
        plan.baseFont = SubsetTag(key.psName, characters) + "+" + key.psName;
    }
}

namespace {

// The name of the face for a subset's or an archive font's BaseFont: the
// embedded font's own, else the key's made a PostScript-style one.
std::string embeddedName(const TPDFFontKey& key, const TPDFFontPlan& plan)
{
    std::string name = FontPostScriptName(plan.data, plan.faceIndex);
    if (name.empty()) {
        name = key.psName;
        std::replace(name.begin(), name.end(), ',', '-');
    }
    return name;
}

// An archive document's font: embedded where the licence and the file
// allow, whatever the handling asks, so no standard font stands in; a
// composite font for text written with two-byte codes.
void planArchiveFont(const TPDFFontKey& key, const TPDFFontOptions& options, const std::bitset<256>* used,
                     TPDFArchiveFont& archive, TPDFFontPlan& plan)
{
    plan.toUnicode = true;
    if (used != nullptr)
        plan.usedCodes = *used;
    plan.font = archive.font;
    plan.data = archive.data;
    plan.font = archive.font;
    plan.faceIndex = archive.faceIndex;
    plan.notEmbedded = archive.notEmbedded;
    if (!archive.composite)
        return; // described by its widths, as in the plain document
    plan.composite = true;
    plan.codes = archive.codes;
    const std::vector<char32_t> characters = archive.Characters();
    const bool subset = EmbeddingPermission(plan.data, plan.faceIndex) == TPDFEmbedding::Subset &&
                        options.handling != TFontHandling::fhAutoEmbed && !namedForEmbedding(key, options);
    if (subset)
        if (auto bytes = SubsetFontFile(plan.data, characters, plan.faceIndex, archive.cff)) {
            plan.embedded = std::move(*bytes);
            plan.subset = true;
        }
    if (plan.embedded.empty())
        plan.embedded = platform::sfntFace(plan.data, plan.faceIndex);
    if (plan.embedded.empty())
        plan.notEmbedded = "Die Schrift „" + key.face + "“ lässt sich nicht einbetten.";
    const std::string name = embeddedName(key, plan);
    plan.baseFont = plan.subset ? SubsetTag(name, characters) + "+" + name : name;
    if (archive.cff)
        return; // its codes are the glyphs' numbers, which the subset keeps
    const bool own = !plan.embedded.empty();
    const TPDFGlyphLookup lookup(own ? plan.embedded : plan.data, own ? 0 : plan.faceIndex);
    plan.glyphs.reserve(plan.codes.size());
    for (const auto& [code, c] : plan.codes)
        plan.glyphs.push_back(static_cast<std::uint16_t>(std::min<std::uint32_t>(lookup.Glyph(c), 0xFFFF)));
}

} // namespace

TPDFFontPlan PlanPDFFont(const TPDFFontKey& key, const TPDFFontOptions& options, const std::bitset<256>* used,
                         TPDFArchiveFont* archive)
{
    TPDFFontPlan plan;
    plan.baseFont = key.psName;
    if (options.archive) {
        planArchiveFont(key, options, used, archive != nullptr ? *archive : *OpenPDFArchiveFont(key), plan);
        return plan;
    }
    if (options.handling == TFontHandling::fhSubstitute) {
        plan.standard = true;
        return plan;
    }
    const platform::LogFont lf = PDFFontRequest(key);
    try {
        plan.font = platform::FontService::instance().font(lf);
        plan.data = plan.font->fontBytes();
        plan.faceIndex = plan.font->face().index;
    } catch (const std::exception&) {
        plan.data = {};
    }
    // A subset is the program's own choice: without the file the font is
    // described by its widths alone. Asked-for embedding keeps the error.
    if (plan.data.empty() && options.handling != TFontHandling::fhEmbedSubset)
        raiseQRError(ErrorKind::SystemFailure, qrmsg::GetFontDataError);
    PlanPDFFontEmbedding(key, options, used, plan);
    return plan;
}

std::string PDFFontsNotEmbedded(const std::vector<TPDFFontPlan>& plans)
{
    std::string reasons;
    for (const TPDFFontPlan& plan : plans)
        if (!plan.notEmbedded.empty() && reasons.find(plan.notEmbedded) == std::string::npos)
            reasons += (reasons.empty() ? "" : " ") + plan.notEmbedded;
    return reasons;
}

bool TPDFFontPlan::CffOutlines() const
{
    return platform::hasCffOutlines(data, faceIndex);
}

int TPDFFontPlan::ObjectCount() const
{
    if (standard)
        return 1;
    const bool glyphMap = composite && !CffOutlines();
    return 2 + (composite ? 1 : 0) + (embedded.empty() ? 0 : 2) + (toUnicode ? 1 : 0) + (glyphMap ? 2 : 0);
}

TPDFFontObjects ReservePDFFont(const TPDFFontPlan& plan, TPDFObjectTable& table)
{
    TPDFFontObjects o;
    o.font = table.Reserve();
    if (plan.standard)
        return o;
    if (plan.composite)
        o.descendant = table.Reserve();
    o.descriptor = table.Reserve();
    if (!plan.embedded.empty()) {
        o.file = table.Reserve();
        o.length = table.Reserve();
    }
    if (plan.toUnicode)
        o.toUnicode = table.Reserve();
    if (plan.composite && !plan.CffOutlines()) {
        o.glyphMap = table.Reserve();
        o.glyphMapLength = table.Reserve();
    }
    return o;
}

namespace {

// What the font dictionaries of a resource share: the descriptor's values.
struct DescriptorValues {
    int ascent = 0, descent = 0, capHeight = 0, flags = 34;
    std::array<int, 4> box{};
    long double italicAngle = 0;
};

DescriptorValues descriptorValues(const TPDFFontPlan& plan)
{
    const std::span<const std::uint8_t> data = plan.data;
    const TrueTypeTables tables = findTables(data, plan.faceIndex);
    const long double unitsPerEm = tables.hasHead && be16(data, tables.head + 18) > 0
                                       ? be16(data, tables.head + 18)
                                       : 2048.0L;
    const platform::OutlineMetrics om = plan.font ? plan.font->outlineMetrics() : platform::OutlineMetrics{};
    const long double em = plan.font && om.emSquare > 0 && plan.font->emPixels() > 0 ? plan.font->emPixels() : 1024.0L;
    DescriptorValues v;
    v.ascent = toGlyphSpace(om.ascent, em);
    v.descent = toGlyphSpace(om.descent, em);
    v.capHeight = toGlyphSpace(om.capHeight, em);
    v.flags = tables.hasOs2 ? flagsOf(static_cast<int>(be16(data, tables.os2 + 30) >> 8)) : 34;
    if (tables.hasHead)
        for (std::size_t i = 0; i < 4; ++i)
            v.box[i] = toGlyphSpace(signed16(be16(data, tables.head + 36 + 2 * i)), unitsPerEm);
    // Tenths of a degree as the platform gives it; PDF wants degrees.
    v.italicAngle = om.italicAngle / 10.0L;
    return v;
}

void writeDescriptor(TPDFObjectTable& table, const TPDFFontObjects& objects, const DescriptorValues& v,
                     const std::string& fontName, bool cff, bool archive, bool bold)
{
    table.Begin(objects.descriptor);
    table.Add("<<");
    table.Add("/Type /FontDescriptor");
    table.Add("/Ascent " + std::to_string(v.ascent));
    table.Add("/Descent " + std::to_string(v.descent));
    if (archive) {
        // Entries a descriptor is meant to have, which the plain document
        // has always left out.
        table.Add("/CapHeight " + std::to_string(v.capHeight));
        table.Add(bold ? "/StemV 120" : "/StemV 80");
    }
    table.Add("/Flags " + std::to_string(v.flags));
    table.Add("/FontBBox [ " + std::to_string(v.box[0]) + " " + std::to_string(v.box[1]) + " " +
              std::to_string(v.box[2]) + " " + std::to_string(v.box[3]) + " ]");
    table.Add("/FontName /" + fontName);
    table.Add("/ItalicAngle " + PdfInt(v.italicAngle));
    if (objects.file != 0)
        table.Add((cff ? "/FontFile3 " : "/FontFile2 ") + TPDFObjectTable::Ref(objects.file));
    table.Add(">>");
    table.End();
}

void writeFontFile(TPDFObjectTable& table, const TPDFFontPlan& plan, const TPDFFontObjects& objects, bool cff)
{
    const std::string length = TPDFObjectTable::Ref(objects.length);
    const std::string dictionary[] = {
        "<<", cff ? "/Subtype /OpenType /Length " + length + " " : "/Length " + length + " /Length1 " + length + " ",
        ">>"};
    table.BytesStream(objects.file, dictionary,
                      std::string_view(reinterpret_cast<const char*>(plan.embedded.data()), plan.embedded.size()),
                      objects.length);
}

void writeToUnicode(TPDFObjectTable& table, int n, std::vector<std::pair<std::uint32_t, char32_t>> codes, int bytes)
{
    const std::vector<std::string> lines = ToUnicodeCMap(std::move(codes), bytes);
    std::vector<std::string_view> views(lines.begin(), lines.end());
    table.LinesStream(n, views);
}

// The widths of a composite font's codes, as the plain font lists those of
// the same characters: custom widths by the code the character has in the
// font's code page, else measured.
std::vector<std::pair<std::uint16_t, std::string>> compositeWidths(const TPDFFontKey& key, const TPDFFontPlan& plan,
                                                                   const TPDFFontOptions& options)
{
    const platform::LogFont lf = PDFFontRequest(key);
    std::array<std::string, 256> custom;
    const bool haveCustom = lookup(options.customWidths, key.psName) != nullptr;
    if (haveCustom)
        custom = widthsOf(key, lf, options);
    const int codePage = PDFTextCodePage(key.charset);
    std::shared_ptr<const platform::Font> font = plan.font;
    if (!font)
        font = platform::FontService::instance().font(lf);
    std::vector<std::pair<std::uint16_t, std::string>> widths;
    widths.reserve(plan.codes.size());
    for (const auto& [code, c] : plan.codes) {
        const auto byte = haveCustom ? text::unicodeToCodePage(codePage, c) : std::nullopt;
        widths.emplace_back(code, byte ? custom[*byte] : std::to_string(PDFCharacterWidth(*font, c)));
    }
    std::stable_sort(widths.begin(), widths.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    widths.erase(std::unique(widths.begin(), widths.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                 widths.end());
    return widths;
}

// A composite font: the Type 0 font of two-byte codes (Identity-H), its
// CID font with the widths of the codes used, the map from code to glyph
// of the embedded file (TrueType outlines; CFF codes are glyph numbers),
// and the Unicode map.
void writeCompositeFont(const TPDFFontKey& key, const TPDFFontPlan& plan, int resource,
                        const TPDFFontObjects& objects, const TPDFFontOptions& options, TPDFObjectTable& table)
{
    const bool cff = plan.CffOutlines();
    table.Object(objects.font, {"<<", "/Type /Font", "/Subtype /Type0", "/Name /F" + PdfResourceNumber(resource),
                                "/BaseFont /" + plan.baseFont, "/Encoding /Identity-H",
                                "/DescendantFonts [ " + TPDFObjectTable::Ref(objects.descendant) + " ]",
                                "/ToUnicode " + TPDFObjectTable::Ref(objects.toUnicode), ">>"});

    table.Begin(objects.descendant);
    table.Add("<<");
    table.Add("/Type /Font");
    table.Add(cff ? "/Subtype /CIDFontType0" : "/Subtype /CIDFontType2");
    table.Add("/BaseFont /" + plan.baseFont);
    table.Add("/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>");
    table.Add("/FontDescriptor " + TPDFObjectTable::Ref(objects.descriptor));
    // Runs of consecutive codes, twenty widths a line.
    const auto widths = compositeWidths(key, plan, options);
    table.Add("/W [");
    for (std::size_t i = 0; i < widths.size();) {
        std::string line = std::to_string(widths[i].first) + " [";
        std::size_t n = 0;
        do {
            line += " " + widths[i].second;
            ++i;
            ++n;
        } while (i < widths.size() && n < 20 && widths[i].first == widths[i - 1].first + 1);
        table.Add(line + " ]");
    }
    table.Add("]");
    if (!cff)
        table.Add("/CIDToGIDMap " + TPDFObjectTable::Ref(objects.glyphMap));
    table.Add(">>");
    table.End();

    writeDescriptor(table, objects, descriptorValues(plan), plan.baseFont, cff, true, key.Bold());
    if (objects.file != 0)
        writeFontFile(table, plan, objects, cff);

    std::vector<std::pair<std::uint32_t, char32_t>> unicode;
    unicode.reserve(plan.codes.size());
    for (const auto& [code, c] : plan.codes)
        unicode.emplace_back(code, c);
    writeToUnicode(table, objects.toUnicode, std::move(unicode), 2);

    if (cff)
        return;
    std::uint16_t last = 0;
    for (const auto& [code, c] : plan.codes)
        last = std::max(last, code);
    std::string map(2 * (static_cast<std::size_t>(last) + 1), '\0');
    for (std::size_t i = 0; i < plan.codes.size() && i < plan.glyphs.size(); ++i) {
        const std::size_t at = 2 * static_cast<std::size_t>(plan.codes[i].first);
        map[at] = static_cast<char>(plan.glyphs[i] >> 8);
        map[at + 1] = static_cast<char>(plan.glyphs[i] & 0xFF);
    }
    const std::string dictionary[] = {"<< /Length " + TPDFObjectTable::Ref(objects.glyphMapLength) + " >>"};
    table.BytesStream(objects.glyphMap, dictionary, map, objects.glyphMapLength);
}

} // namespace

void WritePDFFont(const TPDFFontKey& key, const TPDFFontPlan& plan, int resource, const TPDFFontObjects& objects,
                  const TPDFFontOptions& options, TPDFObjectTable& table)
{
    if (plan.standard) {
        writeStandardFont(key, resource, objects.font, options, table);
        return;
    }
    if (plan.composite) {
        writeCompositeFont(key, plan, resource, objects, options, table);
        return;
    }
    const platform::LogFont lf = PDFFontRequest(key);
    const bool cff = plan.CffOutlines();
    const auto widths = widthsOf(key, lf, options);
    std::string line;
    for (const std::string& w : widths)
        line += w + " ";
    table.Object(objects.font, {"<<", "/Type /Font", cff ? "/Subtype /Type1" : "/Subtype /TrueType",
                                "/Name /F" + PdfResourceNumber(resource), "/BaseFont /" + plan.baseFont,
                                "/FirstChar 0", "/LastChar 255", "/Widths [ ", line + " ]",
                                "/Encoding " + encodingOf(key, options),
                                "/FontDescriptor " + TPDFObjectTable::Ref(objects.descriptor),
                                plan.toUnicode ? "/ToUnicode " + TPDFObjectTable::Ref(objects.toUnicode) : "",
                                ">>"});
    // A subset's descriptor carries the tagged name as the font's own name,
    // which is how readers tell an embedded subset.
    writeDescriptor(table, objects, descriptorValues(plan),
                    plan.subset ? plan.baseFont : "F" + PdfResourceNumber(resource), cff, plan.toUnicode,
                    key.Bold());
    if (objects.file != 0)
        writeFontFile(table, plan, objects, cff);
    if (plan.toUnicode) {
        // The codes as the encoding names them: those of the code page.
        const int codePage = PDFTextCodePage(key.charset);
        std::vector<std::pair<std::uint32_t, char32_t>> unicode;
        for (int code = 0; code < 256; ++code)
            if (plan.usedCodes.test(static_cast<std::size_t>(code)))
                unicode.emplace_back(code, text::codePageToUnicode(codePage, static_cast<std::uint8_t>(code)));
        writeToUnicode(table, objects.toUnicode, std::move(unicode), 1);
    }
}

} // namespace zt::exporting
