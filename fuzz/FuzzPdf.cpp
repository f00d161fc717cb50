// The PDF writer fed hostile report content through the export filter's
// calls: texts of any bytes and length, odd fonts, huge and negative
// positions and sizes, shapes and pictures of any size. The document must
// come out, in memory, beginning with %PDF, without a fault.
#include "FuzzErrors.h"
#include "export/QRPDFFilter.h"
#include "platform/streams/Stream.h"
#include "report/QRShapes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace zt::report;
using namespace zt::exporting;

// Reads the fuzz input as a sequence of values; past its end every value is 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    std::uint8_t u8() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t u16() { return static_cast<std::uint16_t>(u8() | u8() << 8); }
    std::uint32_t u32() { return u16() | static_cast<std::uint32_t>(u16()) << 16; }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    // Small numbers mostly, sometimes anything an int holds.
    int number()
    {
        const std::uint8_t how = u8();
        switch (how & 3) {
        case 0: return static_cast<std::int8_t>(u8());
        case 1: return static_cast<std::int16_t>(u16());
        case 2: return static_cast<int>(u16());
        default: return i32();
        }
    }
    long double position() { return static_cast<long double>(number()) + u8() / 256.0L; }
    // A length-prefixed run of bytes; a length byte of 255 means a long one.
    std::string bytes()
    {
        std::size_t n = u8();
        if (n == 255)
            n = u16();
        n = std::min(n, size_ - std::min(at_, size_));
        std::string s(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return s;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

TQRFont fontOf(Input& in)
{
    TQRFont f;
    // Every new face name costs a font lookup of the system (milliseconds,
    // and no coverage of ours), so odd names come mostly from a fixed set.
    static const char* const names[] = {"Arial", "Times New Roman", "Courier New", "Symbol", "Wingdings", "",
                                        " ", "Arial\tB\tx", "Arial Black Condensed Extra Long Name Of A Face",
                                        "\xff\xfe\x80", "Gr\xc3\xbc\xc3\x9f\x65", "(Arial)/<>[]{}%", "@Arial",
                                        "Courier New,Bold", "../../etc/fonts", "\x01\x02\x1f"};
    constexpr std::uint8_t count = sizeof names / sizeof names[0];
    const std::uint8_t which = in.u8();
    f.Name = which < count ? names[which] : which == 0xFF ? in.bytes() : names[which % count];
    f.Height = in.number();
    f.Style = in.u8() & 15u;
    f.Color = in.u32();
    f.Charset = in.u8();
    return f;
}

void put32(std::vector<std::uint8_t>& d, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        d.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A Windows bitmap file: a plausible header with odd sizes and depths, or raw bytes after "BM".
TQRPicture pictureOf(Input& in)
{
    TQRPicture p;
    std::vector<std::uint8_t>& d = p.Data;
    const std::uint8_t how = in.u8();
    const std::string body = in.bytes();
    d = {'B', 'M'};
    if (how & 1) {
        static const std::uint16_t depths[] = {1, 4, 8, 16, 24, 32};
        const std::int32_t w = (how & 2) ? in.i32() : in.u8();
        const std::int32_t h = (how & 4) ? in.i32() : static_cast<std::int8_t>(in.u8());
        put32(d, static_cast<std::uint32_t>(54 + body.size()));
        put32(d, 0);
        put32(d, 54);
        put32(d, 40);
        put32(d, static_cast<std::uint32_t>(w));
        put32(d, static_cast<std::uint32_t>(h));
        d.push_back(1);
        d.push_back(0);
        const std::uint16_t bpp = depths[(how >> 3) % 6];
        d.push_back(static_cast<std::uint8_t>(bpp));
        d.push_back(0);
        put32(d, (how & 0x80) ? in.u8() : 0);  // compression
        for (int i = 0; i < 5; ++i)
            put32(d, i == 3 ? in.u8() : 0);  // colours used
    }
    d.insert(d.end(), body.begin(), body.end());
    p.Width = in.number();
    p.Height = in.number();
    return p;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    TQRPDFDocumentFilter filter("");
    const std::uint8_t options = in.u8();
    filter.SetCompressionOn((options & 1) != 0);
    filter.SetTextOnTop((options & 2) != 0);
    filter.SetBiDiMode((options & 4) ? TBiDiMode::bdRightToLeft : TBiDiMode::bdLeftToRight);
    // Embedding reads font files whole and subsets them: worth covering, too
    // slow for every input.
    const std::uint8_t embedding = options & 0x78;
    filter.SetFontHandling(embedding == 0x78   ? TFontHandling::fhAutoEmbed
                           : embedding == 0x70 ? TFontHandling::fhEmbedSubset
                                               : TFontHandling::fhNoEmbedding);
    try {
        const int paperWidth = in.number();
        const int paperHeight = in.number();
        filter.Start(paperWidth, paperHeight, fontOf(in));
        for (int op = 0; op < 64 && !in.empty(); ++op) {
            switch (in.u8() % 8) {
            case 0: filter.NewPage(); break;
            case 1:
            case 2: {
                const long double x = in.position(), y = in.position();
                const TQRFont font = fontOf(in);
                const auto alignment = static_cast<TAlignment>(in.u8() % 3);
                filter.TextOut(x, y, font, in.u32(), alignment, in.bytes());
                break;
            }
            case 3: {
                TQRShape shape(nullptr);
                shape.SetShape(static_cast<TQRShapeType>(in.u8() % 9));
                const int l = in.number(), t = in.number(), w = in.number(), h = in.number();
                shape.SetBounds(l, t, w, h);
                shape.SetPen({in.u32(), static_cast<TPenStyle>(in.u8() % 7), in.number()});
                shape.SetBrush({in.u32(), static_cast<TBrushStyle>(in.u8() % 8)});
                const long double x = in.position(), y = in.position();
                filter.AcceptGraphic(x, y, &shape);
                break;
            }
            case 4: {
                TQRImage image(nullptr);
                image.SetPicture(pictureOf(in));
                const std::uint8_t how = in.u8();
                image.Stretch = (how & 1) != 0;
                image.Center = (how & 2) != 0;
                if (how & 4)
                    image.Tag = 999;
                const int l = in.number(), t = in.number(), w = in.number(), h = in.number();
                // Every pixel of an image is encoded, so a large one costs a
                // second and finds nothing new; the sampling of huge ones is
                // covered by the stored corpus and the unit tests.
                if (std::int64_t{std::max(w, 0)} * std::max(h, 0) > 128 * 128)
                    break;
                image.SetBounds(l, t, w, h);
                const long double x = in.position(), y = in.position();
                filter.AcceptGraphic(x, y, &image);
                break;
            }
            case 5: {
                const std::string a = in.bytes(), b = in.bytes();
                switch (in.u8() % 4) {
                case 0: filter.AddFontMap(a); break;
                case 1: filter.AddTTFont(a); break;
                case 2: {
                    // The program gives a width for each of the 256 codes;
                    // fewer is a call it never makes. Odd values are fine.
                    std::string widths;
                    for (int i = 0; i < 256; ++i)
                        widths += std::to_string(in.number()) + ' ';
                    filter.AddCustomWidths(a, widths + b);
                    break;
                }
                default: filter.AddCustomEncoding(a, b); break;
                }
                break;
            }
            case 6: {
                const std::string a = in.bytes(), b = in.bytes(), c = in.bytes(), d = in.bytes();
                filter.SetDocumentInfo(a, b, c, d);
                break;
            }
            default: filter.EndPage(); break;
            }
        }
        filter.Finish();
    } catch (const std::exception& e) {
        zt::fuzz::acceptInputError(e);
        return 0;
    }
    const auto* out = filter.Stream();
    if (out == nullptr || out->Bytes().size() < 8 || std::memcmp(out->Bytes().data(), "%PDF-1.3", 8) != 0)
        std::abort();
    return 0;
}
