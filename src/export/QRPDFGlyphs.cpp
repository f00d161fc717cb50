#include "export/QRPDFGlyphs.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <string_view>

namespace zt::report {

namespace {

constexpr std::string_view kGlyphList =
#include "GlyphListData.inc"
    ;

// Every PDF with a TrueType font names the glyphs of its code page, so the
// list is read once per process: into views of the embedded text, with a
// string only for each value's name.
struct Glyphs {
    std::vector<std::pair<char32_t, std::string_view>> entries;
    // Each value with the name it goes by, ordered by value: its first
    // pair's name, or uniXXXX where a reader would take that name for
    // another character ("mu" reads as the micro sign, not the Greek
    // letter). Sorted vectors: hash tables of a thousand names cost a
    // short run more than the rest of its PDF's fonts.
    std::vector<std::pair<char32_t, std::string>> names;

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
        // Stable sorts keep the list's order among equal values and names,
        // so the first of them is the first pair in the list.
        std::vector<std::uint32_t> byValue(entries.size()), byName(entries.size());
        std::iota(byValue.begin(), byValue.end(), 0u);
        std::iota(byName.begin(), byName.end(), 0u);
        std::stable_sort(byValue.begin(), byValue.end(),
                         [this](std::uint32_t a, std::uint32_t b) { return entries[a].first < entries[b].first; });
        std::stable_sort(byName.begin(), byName.end(),
                         [this](std::uint32_t a, std::uint32_t b) { return entries[a].second < entries[b].second; });
        const auto readAs = [&](std::string_view name) {
            const auto it = std::lower_bound(byName.begin(), byName.end(), name,
                                             [this](std::uint32_t i, std::string_view n) { return entries[i].second < n; });
            return entries[*it].first;
        };
        names.reserve(entries.size());
        for (const std::uint32_t i : byValue) {
            const auto& [value, name] = entries[i];
            if (!names.empty() && names.back().first == value)
                continue;
            if (value < 0x100 || readAs(name) == value) {
                names.emplace_back(value, std::string(name));
                continue;
            }
            char buf[16];
            std::snprintf(buf, sizeof buf, "uni%04X", static_cast<unsigned>(value));
            names.emplace_back(value, buf);
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
    const auto& names = glyphs().names;
    const auto it = std::lower_bound(names.begin(), names.end(), c,
                                     [](const std::pair<char32_t, std::string>& n, char32_t v) { return n.first < v; });
    return it != names.end() && it->first == c ? it->second : none;
}

} // namespace zt::report
