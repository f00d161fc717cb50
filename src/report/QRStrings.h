#pragma once
// Small text helpers of the engine.

#include <cctype>
#include <string>

namespace zt::report {

// The text without leading and trailing white space.
inline std::string TrimBlanks(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

} // namespace zt::report
