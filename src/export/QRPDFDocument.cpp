#include "export/QRPDFDocument.h"

#include "platform/text/CodePage.h"
#include "platform/text/Utf.h"
#include "base/QRMath.h"

#include <charconv>
#include <cmath>

namespace zt::exporting {

using namespace zt::base;

std::string PdfInt(long double value)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(Round(value)));
    return std::string(buf, r.ptr);
}

std::string PdfFixed(long double value, int decimals)
{
    char buf[64];
    double v = static_cast<double>(value);
    if (!std::isfinite(v))
        v = 0;
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    std::string s(buf, r.ptr);
    // No negative zero in the output.
    if (s.starts_with('-') && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

std::string PdfPad(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

std::string PdfResourceNumber(int n)
{
    std::string s = std::to_string(n);
    if (s.size() < 2)
        s.insert(0, 2 - s.size(), '0');
    return s;
}

namespace {

// Both conversions keep these bytes as they are.
constexpr bool plainAscii(unsigned char c)
{
    return c < 0x80 && c != '\\' && c != '(' && c != ')';
}

template <class Escape>
std::string convert(std::string_view utf8, Escape escape)
{
    std::string out;
    out.reserve(utf8.size() + 8);
    std::size_t i = 0;
    while (i < utf8.size()) {
        // Runs of ASCII that needs no escape are copied as they are.
        std::size_t run = i;
        while (run < utf8.size() && plainAscii(static_cast<unsigned char>(utf8[run])))
            ++run;
        out.append(utf8.data() + i, run - i);
        i = run;
        if (i == utf8.size())
            break;
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            escape(out, static_cast<char32_t>(c));
            ++i;
            continue;
        }
        escape(out, platform::text::decodeUtf8(utf8, i));
    }
    return out;
}

void putByte(std::string& out, char32_t cp, int codePage)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    const auto b = platform::text::unicodeToCodePage(codePage, cp);
    out += b ? static_cast<char>(*b) : '?';
}

} // namespace

std::string PdfEscapeText(std::string_view utf8, int codePage)
{
    const bool western = codePage == platform::text::kCodePage1252;
    return convert(utf8, [codePage, western](std::string& out, char32_t cp) {
        switch (cp) {
        case U'\\': out += "\\\\"; break;
        case U'(': out += "\\("; break;
        case U')': out += "\\)"; break;
        default:
            if (western && cp == U'\u20AC')
                out += "\\200";
            else
                putByte(out, cp, codePage);
        }
    });
}

void PdfMarkCodes(std::string_view utf8, std::bitset<256>& used, int codePage)
{
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            used.set(c);
            ++i;
            continue;
        }
        const auto b = platform::text::unicodeToCodePage(codePage, platform::text::decodeUtf8(utf8, i));
        used.set(b ? *b : static_cast<unsigned char>('?'));
    }
}

void PdfAppendEscapedText(std::string& out, std::string_view utf8, std::bitset<256>& used, int codePage)
{
    const bool western = codePage == platform::text::kCodePage1252;
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t run = i;
        while (run < utf8.size() && plainAscii(static_cast<unsigned char>(utf8[run]))) {
            used.set(static_cast<unsigned char>(utf8[run]));
            ++run;
        }
        out.append(utf8.data() + i, run - i);
        i = run;
        if (i == utf8.size())
            break;
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            used.set(c);
            out += '\\';
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const char32_t cp = platform::text::decodeUtf8(utf8, i);
        const auto b = platform::text::unicodeToCodePage(codePage, cp);
        used.set(b ? *b : static_cast<unsigned char>('?'));
        if (western && cp == U'\u20AC')
            out += "\\200";
        else
            out += b ? static_cast<char>(*b) : '?';
    }
}

std::string PdfCodePageText(std::string_view utf8, int codePage)
{
    return convert(utf8, [codePage](std::string& out, char32_t cp) { putByte(out, cp, codePage); });
}

int PdfDocEncodingByte(char32_t cp)
{
    // Where PDFDocEncoding leaves Latin-1: the diacritics below the blank
    // and the typographic characters from 0x80.
    static constexpr char16_t kLow[8] = {0x02D8, 0x02C7, 0x02C6, 0x02D9, 0x02DD, 0x02DB, 0x02DA, 0x02DC};
    static constexpr char16_t kHigh[32] = {0x2022, 0x2020, 0x2021, 0x2026, 0x2014, 0x2013, 0x0192, 0x2044,
                                           0x2039, 0x203A, 0x2212, 0x2030, 0x201E, 0x201C, 0x201D, 0x2018,
                                           0x2019, 0x201A, 0x2122, 0xFB01, 0xFB02, 0x0141, 0x0152, 0x0160,
                                           0x0178, 0x017D, 0x0131, 0x0142, 0x0153, 0x0161, 0x017E, 0};
    if (cp == U'\t' || cp == U'\n' || cp == U'\r' || (cp >= 0x20 && cp < 0x7F))
        return static_cast<int>(cp);
    if (cp == 0x20AC)
        return 0xA0;
    if (cp >= 0xA1 && cp <= 0xFF && cp != 0xAD)
        return static_cast<int>(cp);
    for (int i = 0; i < 8; ++i)
        if (kLow[i] == cp)
            return 0x18 + i;
    for (int i = 0; i < 31; ++i)
        if (kHigh[i] == cp)
            return 0x80 + i;
    return -1;
}

std::string PdfTextString(std::string_view utf8)
{
    std::string doc = "(";
    bool covered = true;
    for (std::size_t i = 0; i < utf8.size() && covered;) {
        const int b = PdfDocEncodingByte(platform::text::decodeUtf8(utf8, i));
        if (b < 0)
            covered = false;
        else if (b == '\\' || b == '(' || b == ')')
            doc.append({'\\', static_cast<char>(b)});
        else if (b == '\r')
            doc += "\\r";
        else if (b == '\n')
            doc += "\\n";
        else
            doc += static_cast<char>(b);
    }
    if (covered)
        return doc + ")";
    static const char digits[] = "0123456789ABCDEF";
    std::string hex = "<FEFF";
    for (const char16_t unit : platform::text::utf8ToUtf16(utf8))
        for (int shift = 12; shift >= 0; shift -= 4)
            hex += digits[(unit >> shift) & 15];
    return hex + ">";
}

} // namespace zt::exporting
