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

// The last parts of street names, lower case.
constexpr const char* kStreetWords[] = {"straße", "weg", "platz", "allee", "gasse", "ring", "damm", "ufer"};

bool endsWith(const std::string& s, const std::string& end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string asciiLower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// A capitalised name with a street word at its end and at least two
// letters before it; "str." stands for "straße" before a full stop.
bool isStreetName(const std::string& word, bool fullStop)
{
    if (word.empty() || (!(word[0] >= 'A' && word[0] <= 'Z') && static_cast<unsigned char>(word[0]) < 0x80))
        return false;
    const std::string lower = asciiLower(word);
    for (const char* street : kStreetWords)
        if (endsWith(lower, street) && word.size() >= std::string(street).size() + 2)
            return true;
    return fullStop && endsWith(lower, "str") && word.size() >= 5;
}

// "geht's", "gibt’s": the word before the apostrophe and "s".
std::string withoutElidedEs(const std::string& word)
{
    for (const char* ending : {"'s", "\xE2\x80\x99s"})
        if (endsWith(word, ending) && word.size() > std::string(ending).size())
            return word.substr(0, word.size() - std::string(ending).size());
    return {};
}

} // namespace

TSpellChecker::TSpellChecker(std::shared_ptr<IWordCheck> dictionary, TPersonalWordList* personal)
    : dictionary_(std::move(dictionary)), personal_(personal)
{
}

std::vector<TWordSpan> TSpellChecker::Misspelt(std::u16string_view paragraph, TWordContext context)
{
    std::vector<TWordSpan> wrong;
    for (const TWordSpan& span : findWords(paragraph))
        if (!IsCorrect(platform::text::utf16ToUtf8(paragraph.substr(span.start, span.length)), span.fullStop,
                       context))
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

bool TSpellChecker::IsCorrect(const std::string& word, bool fullStop, TWordContext context)
{
    if (known(word) || (fullStop && known(word + ".")))
        return true;
    if (const std::string base = withoutElidedEs(word); !base.empty() && known(base))
        return true;
    if (context == TWordContext::Address && isStreetName(word, fullStop))
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
