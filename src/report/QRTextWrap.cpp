#include "report/QRTextWrap.h"

#include "platform/core/WinMath.h"

#include <algorithm>

namespace zt::report {

std::size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0 && lead < 0xF0)
        return 3;
    if (lead >= 0xC0 && lead < 0xE0)
        return 2;
    return 1;
}

namespace {

std::size_t charLength(std::string_view s, std::size_t at)
{
    return std::min(Utf8SequenceLength(static_cast<unsigned char>(s[at])), s.size() - at);
}

bool blank(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; });
}

} // namespace

int TQRTextWrapper::measuredOf(int extent) const
{
    return platform::MulDiv(extent + 1, FRules.Zoom, 100);
}

void TQRTextWrapper::WrapText(std::string_view text, std::vector<std::string>& out) const
{
    std::string cleaned;
    cleaned.reserve(text.size());
    for (const char c : text)
        if (c != '\n')
            cleaned += c;
    std::string_view rest = cleaned;
    for (;;) {
        const std::size_t cr = rest.find('\r');
        wrapPiece(rest.substr(0, cr), out);
        if (cr == std::string_view::npos)
            break;
        rest.remove_prefix(cr + 1);
    }
}

void TQRTextWrapper::wrapPiece(std::string_view piece, std::vector<std::string>& out) const
{
    if (FRules.AutoSize)
        out.emplace_back(piece);
    else if (FRules.WrapStyle == TWrapStyle::BreakAnywhere)
        wrapAnywhere(piece, out);
    else
        wrapOnSpaces(piece, out);
}

void TQRTextWrapper::wrapAnywhere(std::string_view piece, std::vector<std::string>& out) const
{
    std::string line;
    int lineExtent = 0;
    for (std::size_t i = 0; i < piece.size();) {
        const std::size_t n = charLength(piece, i);
        const std::string_view ch = piece.substr(i, n);
        const int chExtent = FExtents.Extent(ch);
        if (measuredOf(lineExtent + chExtent) > FRules.PixelWidth) {
            out.push_back(line);
            line.clear();
            lineExtent = 0;
        }
        line += ch;
        lineExtent += chExtent;
        i += n;
    }
    if (!blank(line))
        out.push_back(line);
}

std::size_t TQRTextWrapper::fittingPrefix(std::string_view word, int base, bool strict) const
{
    std::size_t used = 0;
    int extent = base;
    while (used < word.size()) {
        const std::size_t n = charLength(word, used);
        const int next = extent + FExtents.Extent(word.substr(used, n));
        const int w = measuredOf(next);
        if (strict ? w >= FRules.PixelWidth : w > FRules.PixelWidth)
            break;
        extent = next;
        used += n;
    }
    return used;
}

void TQRTextWrapper::wrapOnSpaces(std::string_view piece, std::vector<std::string>& out) const
{
    std::string line;
    int lineExtent = 0;
    bool ended = false;
    std::size_t pos = 0;
    const int width = FRules.PixelWidth;
    while (pos < piece.size()) {
        // A word runs up to and including the next space, hyphen or carriage return.
        std::size_t end = pos;
        while (end < piece.size() && piece[end] != ' ' && piece[end] != '-' && piece[end] != '\r')
            ++end;
        end = end == piece.size() ? end : end + 1;
        std::string_view word = piece.substr(pos, end - pos);
        pos = end;
        const int wordExtent = FExtents.Extent(word);
        if (measuredOf(lineExtent + wordExtent) <= width) {
            line += word;
            lineExtent += wordExtent;
            continue;
        }
        if (line.empty()) {
            // Alone too wide: keep the characters that stay below the width.
            const std::size_t keep = fittingPrefix(word, 0, true);
            line.assign(word.substr(0, keep));
            word = {};
        }
        out.push_back(line);
        line.clear();
        lineExtent = 0;
        if (Measured(word) > width) {
            out.emplace_back(word.substr(0, fittingPrefix(word, 0, false)));
            word = {};
        }
        if (!FRules.WordWrap) {
            word = {};
            ended = true;
        }
        line.assign(word);
        lineExtent = FExtents.Extent(word);
    }
    if (!ended)
        out.push_back(line);
}

} // namespace zt::report
