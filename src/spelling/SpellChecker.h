#pragma once
// Checks the words of a paragraph against the dictionary and the personal
// word list. Answers are kept, so a paragraph checked again after a key
// asks the dictionary only about words it has not seen.

#include "spelling/Dictionary.h"
#include "spelling/PersonalWordList.h"
#include "spelling/WordFinder.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zt::spelling {

inline constexpr std::size_t kMaxSuggestions = 5;

class TSpellChecker {
public:
    TSpellChecker(std::shared_ptr<IWordCheck> dictionary, TPersonalWordList* personal);

    // The misspelt words of one paragraph.
    std::vector<TWordSpan> Misspelt(std::u16string_view paragraph);
    // A word as the finder gives it (UTF-8). Hyphenated compounds pass when
    // the whole or each part is known; a word before a full stop also
    // passes with it ("Abs.").
    bool IsCorrect(const std::string& word, bool fullStop = false);
    // Up to kMaxSuggestions replacements, the dictionary's best first.
    std::vector<std::string> Suggestions(const std::string& word);
    // Into the personal list (and its file): no longer flagged.
    void AddToPersonal(const std::string& word);

private:
    bool known(const std::string& word);

    std::shared_ptr<IWordCheck> dictionary_;
    TPersonalWordList* personal_;
    std::unordered_map<std::string, bool> answers_;
};

} // namespace zt::spelling
