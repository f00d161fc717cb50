#include "export/QRPDFGlyphs.h"

#include <cstdio>
#include <string_view>
#include <unordered_map>

namespace zt::report {

namespace {

constexpr std::string_view kGlyphList =
#include "GlyphListData.inc"
    ;

struct Glyphs {
    std::vector<std::pair<char32_t, std::string>> table;
    std::unordered_map<char32_t, std::size_t> first;
    // Names a reader would take for another character ("mu" reads as the
    // micro sign, not the Greek letter): such a character is named uniXXXX.
    std::unordered_map<char32_t, std::string> unique;

    Glyphs()
    {
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
            const auto value = static_cast<char32_t>(std::stoul(std::string(line.substr(semi + 1)), nullptr, 16));
            table.emplace_back(value, std::string(line.substr(0, semi)));
            first.emplace(value, table.size() - 1);
        }
        std::unordered_map<std::string, char32_t> readAs;
        for (const auto& [value, name] : table)
            readAs.emplace(name, value);
        for (const auto& [value, index] : first) {
            if (value < 0x100 || readAs[table[index].second] == value)
                continue;
            char buf[16];
            std::snprintf(buf, sizeof buf, "uni%04X", static_cast<unsigned>(value));
            unique.emplace(value, buf);
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
    return glyphs().table;
}

const std::string& GlyphName(char32_t c)
{
    static const std::string none;
    const Glyphs& g = glyphs();
    if (const auto u = g.unique.find(c); u != g.unique.end())
        return u->second;
    const auto it = g.first.find(c);
    return it == g.first.end() ? none : g.table[it->second].second;
}

} // namespace zt::report
