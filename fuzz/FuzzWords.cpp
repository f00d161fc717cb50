// The spell checker's word finder on any text: the words it hands on lie
// inside the text, in order without overlap, begin and end with a letter
// and hold no digit.
#include "spelling/WordFinder.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::u16string text(size / 2, u'\0');
    if (!text.empty())
        std::memcpy(text.data(), data, text.size() * 2);
    std::size_t end = 0;
    for (const zt::spelling::TWordSpan& w : zt::spelling::findWords(text)) {
        if (w.length == 0 || w.start < end || w.start + w.length > text.size())
            std::abort();
        if (!zt::spelling::isLetter(text[w.start]) || !zt::spelling::isLetter(text[w.start + w.length - 1]))
            std::abort();
        for (std::size_t i = w.start; i < w.start + w.length; ++i)
            if (text[i] >= u'0' && text[i] <= u'9')
                std::abort();
        end = w.start + w.length;
    }
    return 0;
}
