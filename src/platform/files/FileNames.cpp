#include "platform/files/FileNames.h"

#include "platform/text/Utf.h"

#include <string_view>

namespace zt::platform::files {

constexpr std::size_t kMaxBytes = 200;

std::string SafeFileName(const std::string& stem, const std::string& fallback)
{
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < stem.size() && characters < 100;) {
        const std::size_t start = i;
        const char32_t c = text::decodeUtf8(stem, i);
        if (out.size() + (i - start) > kMaxBytes)
            break;
        ++characters;
        if (c < 0x20 || c == 0x7F || std::u32string_view(U"/\\:*?\"<>|").find(c) != std::u32string_view::npos)
            out += '_';
        else
            out.append(stem, start, i - start);
    }
    const auto begin = out.find_first_not_of(" .");
    out = begin == std::string::npos ? std::string() : out.substr(begin);
    while (!out.empty() && (out.back() == ' ' || out.back() == '.'))
        out.pop_back();
    return out.empty() ? fallback : out;
}

} // namespace zt::platform::files
