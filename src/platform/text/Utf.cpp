#include "platform/text/Utf.h"

namespace zt::platform::text {

char32_t decodeUtf8(std::string_view s, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int extra;
    char32_t cp;
    char32_t minimum;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1; cp = b0 & 0x1F; minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2; cp = b0 & 0x0F; minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3; cp = b0 & 0x07; minimum = 0x10000;
    } else {
        ++pos;
        return kReplacementChar;
    }
    if (pos + static_cast<std::size_t>(extra) >= s.size()) { // truncated sequence
        ++pos;
        return kReplacementChar;
    }
    for (int i = 1; i <= extra; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return kReplacementChar;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kReplacementChar;
    }
    pos += extra + 1;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacementChar;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isValidUtf8(std::string_view s)
{
    for (std::size_t pos = 0; pos < s.size();) {
        if (static_cast<unsigned char>(s[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        if (decodeUtf8(s, pos) == kReplacementChar) {
            // A literal U+FFFD (EF BF BD) is valid; a replacement caused by bad bytes is not.
            if (pos - start != 3)
                return false;
        }
    }
    return true;
}

std::size_t utf8Length(std::string_view s)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < s.size(); ++count)
        decodeUtf8(s, pos);
    return count;
}

std::string_view utf8Left(std::string_view s, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < s.size(); ++n)
        decodeUtf8(s, pos);
    return s.substr(0, pos);
}

std::u16string utf8ToUtf16(std::string_view s)
{
    // Nearly all text is ASCII: one unit per byte, written in place.
    std::u16string out(s.size(), u'\0');
    std::size_t n = 0;
    while (n < s.size() && static_cast<unsigned char>(s[n]) < 0x80) {
        out[n] = static_cast<char16_t>(s[n]);
        ++n;
    }
    if (n == s.size())
        return out;
    out.resize(n);
    for (std::size_t pos = n; pos < s.size();) {
        const char32_t cp = decodeUtf8(s, pos);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t u = s[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(s[i + 1]) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, kReplacementChar);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

} // namespace zt::platform::text
