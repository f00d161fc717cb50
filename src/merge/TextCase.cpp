#include "merge/TextCase.h"

#include "platform/text/Utf.h"

namespace zt::merge {

std::string FoldCase(std::string_view utf8)
{
    const auto begin = utf8.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    utf8 = utf8.substr(begin, utf8.find_last_not_of(" \t") - begin + 1);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = platform::text::decodeUtf8(utf8, i);
        if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            c += 0x20;
        platform::text::appendUtf8(out, c);
    }
    return out;
}

} // namespace zt::merge
