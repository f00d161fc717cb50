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

// Where the words stand: in an address a street name ("Schillerstraße")
// is no mistake though the dictionary knows only its last part.
enum class TWordContext { Text, Address };

class TSpellChecker {
public:
    TSpellChecker(std::shared_ptr<IWordCheck> dictionary, TPersonalWordList* personal);

    // The misspelt words of one paragraph.
    std::vector<TWordSpan> Misspelt(std::u16string_view paragraph, TWordContext context = TWordContext::Text);
    // A word as the finder gives it (UTF-8). Hyphenated compounds pass when
    // the whole or each part is known; a word before a full stop also
    // passes with it ("Abs."); a known word with an elided "es" ("geht's")
    // passes; in an address, so does a name ending in a street word
    // ("Königstraße", "Am Wiesenweg", "Königstr.").
    bool IsCorrect(const std::string& word, bool fullStop = false, TWordContext context = TWordContext::Text);
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
