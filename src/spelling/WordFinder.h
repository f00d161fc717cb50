#pragma once
// Finds the words of one paragraph that are to be checked. Skipped without
// asking a dictionary: words in capitals, anything with a digit (numbers,
// dates), e-mail and web addresses, words joined by full stops ("z.B."),
// short abbreviations with a full stop ("ggf.", "Nr.", "z. B."), single
// letters, and placeholders in «…» or {…}.

#include <cstddef>
#include <string_view>
#include <vector>

namespace zt::spelling {

struct TWordSpan {
    std::size_t start = 0;  // in UTF-16 code units, as the text boxes count
    std::size_t length = 0;
    bool fullStop = false;  // directly followed by "."
    bool operator==(const TWordSpan&) const = default;
};

// Abbreviations up to this many letters with a full stop pass unchecked.
inline constexpr std::size_t kAbbreviationLetters = 4;

std::vector<TWordSpan> findWords(std::u16string_view text);

// Whether a UTF-16 code unit counts as a letter of a word (Latin letters
// with their accented forms and the other alphabets of the BMP).
bool isLetter(char16_t c);

} // namespace zt::spelling
