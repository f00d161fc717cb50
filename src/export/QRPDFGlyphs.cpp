#include "export/QRPDFGlyphs.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <unordered_map>

namespace zt::exporting {

namespace {

constexpr std::string_view kGlyphList =
#include "GlyphListData.inc"
    ;

// Every PDF with a TrueType font names the glyphs of its code page, so the
// list is read once per process: into views of the embedded text, with a
// string only for each value's name.
struct Glyphs {
    std::vector<std::pair<char32_t, std::string_view>> entries;
    // The name a value goes by: its first pair's, or uniXXXX where a reader
    // would take that name for another character ("mu" reads as the micro
    // sign, not the Greek letter).
    std::unordered_map<char32_t, std::string> names;

    Glyphs()
    {
        entries.reserve(1100);
        std::size_t pos = 0;
        while (pos < kGlyphList.size()) {
            std::size_t end = kGlyphList.find('\n', pos);
            if (end == std::string_view::npos)
                end = kGlyphList.size();
            std::string_view line = kGlyphList.substr(pos, end - pos);
            pos = end + 1;
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            const std::size_t semi = line.find(';');
            if (line.empty() || line.front() == '#' || semi == std::string_view::npos)
                continue;
            const std::string_view hex = line.substr(semi + 1);
            std::uint32_t value = 0;
            std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
            entries.emplace_back(static_cast<char32_t>(value), line.substr(0, semi));
        }
        std::unordered_map<std::string_view, char32_t> readAs;
        readAs.reserve(entries.size());
        names.reserve(entries.size());
        for (const auto& [value, name] : entries) {
            readAs.emplace(name, value);
            names.try_emplace(value, name);
        }
        for (auto& [value, name] : names) {
            if (value < 0x100 || readAs[name] == value)
                continue;
            char buf[16];
            std::snprintf(buf, sizeof buf, "uni%04X", static_cast<unsigned>(value));
            name = buf;
        }
    }
};

const Glyphs& glyphs()
{
    static const Glyphs g;
    return g;
}

} // namespace

const std::vector<std::pair<char32_t, std::string>>& GlyphTable()
{
    static const std::vector<std::pair<char32_t, std::string>> table = [] {
        std::vector<std::pair<char32_t, std::string>> t;
        for (const auto& [value, name] : glyphs().entries)
            t.emplace_back(value, std::string(name));
        return t;
    }();
    return table;
}

const std::string& GlyphName(char32_t c)
{
    static const std::string none;
    const Glyphs& g = glyphs();
    const auto it = g.names.find(c);
    return it == g.names.end() ? none : it->second;
}

} // namespace zt::exporting
