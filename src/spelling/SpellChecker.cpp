#include "spelling/SpellChecker.h"

#include "platform/text/Utf.h"

namespace zt::spelling {

namespace {

// Bounds the memory of a long session; the answers are cheap to get again.
constexpr std::size_t kMaxAnswers = 100000;

// The parts between hyphens, empty parts left out.
std::vector<std::string> hyphenParts(const std::string& word)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= word.size(); ++i) {
        // U+2010 and U+2011 are the hyphens "‐" and "‑" (E2 80 90/91).
        const bool ascii = i < word.size() && word[i] == '-';
        const bool unicode = i + 2 < word.size() && word.compare(i, 2, "\xE2\x80") == 0 &&
                             (word[i + 2] == '\x90' || word[i + 2] == '\x91');
        if (i < word.size() && !ascii && !unicode)
            continue;
        if (i > start)
            parts.push_back(word.substr(start, i - start));
        start = i + (unicode ? 3 : 1);
        if (unicode)
            i += 2;
    }
    return parts;
}

} // namespace

TSpellChecker::TSpellChecker(std::shared_ptr<IWordCheck> dictionary, TPersonalWordList* personal)
    : dictionary_(std::move(dictionary)), personal_(personal)
{
}

std::vector<TWordSpan> TSpellChecker::Misspelt(std::u16string_view paragraph)
{
    std::vector<TWordSpan> wrong;
    for (const TWordSpan& span : findWords(paragraph))
        if (!IsCorrect(platform::text::utf16ToUtf8(paragraph.substr(span.start, span.length)), span.fullStop))
            wrong.push_back(span);
    return wrong;
}

bool TSpellChecker::known(const std::string& word)
{
    if (personal_ && personal_->Contains(word))
        return true;
    if (auto it = answers_.find(word); it != answers_.end())
        return it->second;
    if (answers_.size() >= kMaxAnswers)
        answers_.clear();
    const bool ok = dictionary_->spell(word);
    answers_.emplace(word, ok);
    return ok;
}

bool TSpellChecker::IsCorrect(const std::string& word, bool fullStop)
{
    if (known(word) || (fullStop && known(word + ".")))
        return true;
    const std::vector<std::string> parts = hyphenParts(word);
    if (parts.size() < 2)
        return false;
    for (const std::string& part : parts) {
        // A part in capitals or of one letter ("E-Mail", "UKW-Sender") passes.
        const std::u16string wide = platform::text::utf8ToUtf16(part);
        if (findWords(wide).empty())
            continue;
        if (!known(part))
            return false;
    }
    return true;
}

std::vector<std::string> TSpellChecker::Suggestions(const std::string& word)
{
    std::vector<std::string> all = dictionary_->suggest(word);
    if (all.size() > kMaxSuggestions)
        all.resize(kMaxSuggestions);
    return all;
}

void TSpellChecker::AddToPersonal(const std::string& word)
{
    answers_[word] = true;
    if (personal_)
        personal_->Add(word);
}

} // namespace zt::spelling
