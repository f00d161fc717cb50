#include "pages/QRPageSearch.h"

#include "pages/QRPrinter.h"
#include "platform/gdi/EmfReader.h"
#include "platform/text/Utf.h"

namespace zt::pages {

namespace {

unsigned char upper(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    return c;
}

} // namespace

std::string SearchKey(const std::string& utf8, bool matchCase)
{
    const std::u16string units = platform::text::utf8ToUtf16(utf8);
    std::string key;
    key.reserve(units.size());
    for (const char16_t u : units) {
        const auto low = static_cast<unsigned char>(u & 0xFF);
        key += static_cast<char>(matchCase ? low : upper(low));
    }
    return key;
}

bool PageContainsText(const platform::gdi::TMetafile& page, const std::string& utf8, bool matchCase)
{
    const std::string wanted = SearchKey(utf8, matchCase);
    for (const std::string& text : platform::gdi::enumerateTexts(page))
        if (SearchKey(text, matchCase).find(wanted) != std::string::npos)
            return true;
    return false;
}

std::vector<int> SearchPages(TQRPrinter& printer, const std::string& utf8, bool matchCase)
{
    std::vector<int> found;
    for (int n = 1; n <= printer.PageCount(); ++n) {
        const auto page = printer.GetPage(n);
        if (page && PageContainsText(*page, utf8, matchCase))
            found.push_back(n);
    }
    return found;
}

} // namespace zt::pages
