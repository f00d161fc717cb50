#pragma once
// ASCII case folding: the names the system compares without regard to case
// (settings sections and keys, letter file keys, automation members, font
// faces) are ASCII, and folding only ASCII bytes keeps UTF-8 intact.

#include <string>
#include <string_view>

namespace zt::platform::text {

inline char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string asciiLower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}

inline bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

} // namespace zt::platform::text
