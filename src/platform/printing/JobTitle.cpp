#include "platform/printing/JobTitle.h"

#include "platform/text/Utf.h"

namespace zt::platform::printing {

namespace {

// U+00C0..U+00FF in ASCII; "" where none fits.
constexpr const char* kLatin1[64] = {
    "A",  "A", "A", "A", "Ae", "A", "Ae", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    "D",  "N", "O", "O", "O",  "O", "Oe", "x", "Oe", "U", "U", "U", "Ue", "Y", "Th", "ss",
    "a",  "a", "a", "a", "ae", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d",  "n", "o", "o", "o",  "o", "oe", "",  "oe", "u", "u", "u", "ue", "y", "th", "y",
};

} // namespace

std::string jobTitle(const std::string& title)
{
    std::string out;
    for (std::size_t pos = 0; pos < title.size();) {
        const char32_t c = text::decodeUtf8(title, pos);
        if (c >= 0x20 && c < 0x7F)
            out += static_cast<char>(c);
        else if (c >= 0xC0 && c <= 0xFF && *kLatin1[c - 0xC0] != '\0')
            out += kLatin1[c - 0xC0];
        else if (c == 0x20AC)
            out += "EUR";
        else if (c == 0x201E || c == 0x201C || c == 0x201D)
            out += '"';
        else if (c == 0x2013 || c == 0x2014)
            out += '-';
        else
            out += '_';
    }
    return out;
}

} // namespace zt::platform::printing
