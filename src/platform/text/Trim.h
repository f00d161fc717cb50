#pragma once
// Cutting blanks off the ends of a text, as readers of line-based files do.

#include <string_view>

namespace zt::platform::text {

// `s` without the characters of `blanks` at either end.
constexpr std::string_view trimmed(std::string_view s, std::string_view blanks = " \t")
{
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

} // namespace zt::platform::text
