#include "export/QRPDFGlyphs.h"

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
    const auto it = g.first.find(c);
    return it == g.first.end() ? none : g.table[it->second].second;
}

} // namespace zt::report
