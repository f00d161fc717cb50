#include "export/QRPDFToUnicode.h"

#include <algorithm>

namespace zt::exporting {

namespace {

void appendHex(std::string& out, std::uint32_t value, int digits)
{
    static const char hex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += hex[(value >> shift) & 15];
}

// The character in UTF-16, as the map's destination strings are written.
void appendUtf16(std::string& out, char32_t c)
{
    if (c >= 0x10000 && c <= 0x10FFFF) {
        const std::uint32_t v = static_cast<std::uint32_t>(c) - 0x10000;
        appendHex(out, 0xD800 + (v >> 10), 4);
        appendHex(out, 0xDC00 + (v & 0x3FF), 4);
    } else {
        appendHex(out, static_cast<std::uint32_t>(c) & 0xFFFF, 4);
    }
}

bool mappable(char32_t c)
{
    return c != 0 && c != 0xFEFF && c != 0xFFFE && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

} // namespace

std::vector<std::string> ToUnicodeCMap(std::vector<std::pair<std::uint32_t, char32_t>> codes, int codeBytes)
{
    std::stable_sort(codes.begin(), codes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    codes.erase(std::unique(codes.begin(), codes.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                codes.end());
    std::erase_if(codes, [](const auto& p) { return !mappable(p.second); });
    const int digits = codeBytes == 1 ? 2 : 4;
    std::vector<std::string> lines{"/CIDInit /ProcSet findresource begin",
                                   "12 dict begin",
                                   "begincmap",
                                   "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def",
                                   "/CMapName /Adobe-Identity-UCS def",
                                   "/CMapType 2 def",
                                   "1 begincodespacerange",
                                   digits == 2 ? "<00> <FF>" : "<0000> <FFFF>",
                                   "endcodespacerange"};
    // A block holds at most a hundred entries.
    for (std::size_t from = 0; from < codes.size(); from += 100) {
        const std::size_t to = std::min(codes.size(), from + 100);
        lines.push_back(std::to_string(to - from) + " beginbfchar");
        for (std::size_t i = from; i < to; ++i) {
            std::string line = "<";
            appendHex(line, codes[i].first, digits);
            line += "> <";
            appendUtf16(line, codes[i].second);
            line += '>';
            lines.push_back(std::move(line));
        }
        lines.push_back("endbfchar");
    }
    for (const char* end : {"endcmap", "CMapName currentdict /CMap defineresource pop", "end", "end"})
        lines.emplace_back(end);
    return lines;
}

} // namespace zt::exporting
