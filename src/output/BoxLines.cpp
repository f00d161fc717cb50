#include "output/BoxLines.h"

#include "platform/text/TextFile.h"
#include "platform/text/Utf.h"

namespace zt::output {

namespace {

void wrapCodePoints(const std::u32string& cps, const platform::Font& font, int width,
                   std::vector<std::string>& out)
{
    auto emit = [&](std::size_t from, std::size_t to) {
        std::string line;
        for (std::size_t k = from; k < to; ++k)
            platform::text::appendUtf8(line, cps[k]);
        out.push_back(std::move(line));
    };
    if (cps.empty()) {
        out.emplace_back();
        return;
    }
    const std::size_t n = cps.size();
    std::size_t start = 0;
    while (start < n) {
        int used = 0;
        std::size_t end = start;
        while (end < n) {
            const int w = font.advance(cps[end]);
            if (used + w > width)
                break;
            used += w;
            ++end;
        }
        if (end == n) {
            emit(start, n);
            return;
        }
        std::size_t next;
        if (cps[end] == U' ') {
            // Blanks that overflow hang at the end of the line they close.
            next = end;
            while (next < n && cps[next] == U' ')
                ++next;
        } else {
            next = end;
            while (next > start && cps[next - 1] != U' ')
                --next;
            if (next == start) // one word wider than the box
                next = end > start ? end : start + 1;
        }
        emit(start, next);
        start = next;
    }
}

} // namespace

std::vector<std::string> textLines(std::string_view text)
{
    return platform::text::splitLines(text);
}

std::vector<std::string> displayLines(std::string_view text, const platform::Font& font, int formatWidth)
{
    std::vector<std::string> lines;
    for (const std::string& paragraph : textLines(text)) {
        auto pieces = wrapParagraph(paragraph, font, formatWidth);
        lines.insert(lines.end(), std::make_move_iterator(pieces.begin()), std::make_move_iterator(pieces.end()));
    }
    return lines;
}

std::vector<std::string> wrapParagraph(std::string_view paragraph, const platform::Font& font, int formatWidth)
{
    // Most lines fit their box whole; they need no splitting into characters.
    if (!paragraph.empty() && platform::text::isValidUtf8(paragraph) && font.textWidth(paragraph) <= formatWidth)
        return {std::string(paragraph)};
    std::u32string cps;
    for (std::size_t pos = 0; pos < paragraph.size();)
        cps.push_back(platform::text::decodeUtf8(paragraph, pos));
    std::vector<std::string> lines;
    wrapCodePoints(cps, font, formatWidth, lines);
    return lines;
}

} // namespace zt::output
