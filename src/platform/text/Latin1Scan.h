#pragma once
// One pass over UTF-8 text that tells whether it holds only the first 256
// characters (ASCII and the two-byte sequences of U+0080-U+00FF), and how
// many characters it holds. A letter's text nearly always does: the loops
// that measure or check every line take the answer instead of decoding
// character by character, where every umlaut is a branch mispredicted.

#include <cstddef>
#include <string_view>

namespace zt::platform::text {

struct Latin1Scan {
    // Every byte is ASCII or part of a well-formed sequence for U+0080-U+00FF.
    bool latin1 = true;
    // Latin-1 and no control character: none below U+0020, none in
    // U+007F-U+00A0 (the C1 controls and the no-break space).
    bool printable = true;
    // The characters, when latin1.
    std::size_t characters = 0;
};

Latin1Scan scanLatin1(std::string_view utf8);

} // namespace zt::platform::text
