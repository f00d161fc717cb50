#include "spelling/WordFinder.h"

#include <algorithm>

namespace zt::spelling {

namespace {

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0x00A0 || c == 0x2028 || c == 0x2029 ||
           (c >= 0x2000 && c <= 0x200B) || c == 0x202F || c == 0x3000;
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool isUpper(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x1E9E;
}

// Joiners inside a word: hyphens and apostrophes.
bool isJoiner(char16_t c) { return c == u'-' || c == 0x2010 || c == 0x2011 || c == u'\'' || c == 0x2019; }

bool isAddress(std::u16string_view chunk)
{
    return chunk.find(u'@') != std::u16string_view::npos || chunk.find(u"://") != std::u16string_view::npos ||
           chunk.starts_with(u"www.") || chunk.starts_with(u"WWW.");
}

// Marks the characters inside «…» and {…}, brackets included.
std::vector<bool> placeholders(std::u16string_view text)
{
    std::vector<bool> inside(text.size(), false);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t close = text[i] == u'{' ? u'}' : text[i] == 0x00AB ? char16_t(0x00BB) : 0;
        if (!close)
            continue;
        const std::size_t end = text.find(close, i + 1);
        if (end == std::u16string_view::npos)
            continue;
        std::fill(inside.begin() + static_cast<std::ptrdiff_t>(i), inside.begin() + static_cast<std::ptrdiff_t>(end) + 1,
                  true);
        i = end;
    }
    return inside;
}

// One run of letters and joiners, joiners trimmed from both ends.
void addWord(std::u16string_view text, std::size_t from, std::size_t to, std::vector<TWordSpan>& out)
{
    while (from < to && isJoiner(text[from]))
        ++from;
    while (to > from && isJoiner(text[to - 1]))
        --to;
    std::size_t letters = 0;
    bool allUpper = true;
    for (std::size_t i = from; i < to; ++i)
        if (isLetter(text[i])) {
            ++letters;
            allUpper = allUpper && isUpper(text[i]);
        }
    if (letters < 2 || allUpper)
        return;
    const bool fullStop = to < text.size() && text[to] == u'.';
    if (fullStop && letters <= kAbbreviationLetters)
        return;
    out.push_back({from, to - from, fullStop});
}

void addChunk(std::u16string_view text, std::size_t from, std::size_t to, std::vector<TWordSpan>& out)
{
    const std::u16string_view chunk = text.substr(from, to - from);
    if (isAddress(chunk) || std::any_of(chunk.begin(), chunk.end(), isDigit))
        return;
    // Trim what is no letter: quotes, brackets, punctuation.
    std::size_t a = from;
    std::size_t b = to;
    while (a < b && !isLetter(text[a]))
        ++a;
    while (b > a && !isLetter(text[b - 1]))
        --b;
    // A full stop between letters: joined abbreviations or a domain name.
    if (text.substr(a, b - a).find(u'.') != std::u16string_view::npos)
        return;
    std::size_t start = a;
    for (std::size_t i = a; i <= b; ++i) {
        if (i < b && (isLetter(text[i]) || isJoiner(text[i])))
            continue;
        if (i > start)
            addWord(text, start, i, out);
        start = i + 1;
    }
}

} // namespace

bool isLetter(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
        return true;
    if (c < 0xC0)
        return false;
    if (c == 0xD7 || c == 0xF7)
        return false;
    // Latin-1 and Latin extended, Greek, Cyrillic; no punctuation or symbols.
    return c <= 0x024F || (c >= 0x0370 && c <= 0x052F) || (c >= 0x1E00 && c <= 0x1EFF);
}

std::vector<TWordSpan> findWords(std::u16string_view text)
{
    std::vector<TWordSpan> words;
    const std::vector<bool> skipped = placeholders(text);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSpace(text[i]) && !skipped[i])
            continue;
        if (i > start)
            addChunk(text, start, i, words);
        start = i + 1;
    }
    return words;
}

} // namespace zt::spelling
