// The preview's find command over hostile pages: a search text of any bytes
// over one metafile page or a saved report file's pages. A search must end
// with page numbers in order and in range, never crash; a page that cannot
// be read may fail only as damaged input.
//   byte 0: bit 0 match case, bit 1 the rest is a saved report file (else one page)
//   byte 1: length of the search text, which follows; then the page bytes.
#include "FuzzErrors.h"
#include "pages/QRPageSearch.h"
#include "pages/QRPrinter.h"
#include "platform/gdi/EmfReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace zt;

void checkFound(const std::vector<int>& found, int pageCount)
{
    for (std::size_t i = 0; i < found.size(); ++i)
        if (found[i] < 1 || found[i] > pageCount || (i > 0 && found[i] <= found[i - 1]))
            std::abort();
}

bool contains(const std::vector<int>& all, const std::vector<int>& some)
{
    return std::includes(all.begin(), all.end(), some.begin(), some.end());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const bool matchCase = (data[0] & 1) != 0;
    const bool pageList = (data[0] & 2) != 0;
    const std::size_t textLength = std::min<std::size_t>(data[1], size - 2);
    const std::string text(reinterpret_cast<const char*>(data + 2), textLength);
    const std::vector<std::uint8_t> bytes(data + 2 + textLength, data + size);

    // The key keeps one byte per UTF-16 unit, so it is never longer than the text.
    if (pages::SearchKey(text, matchCase).size() > text.size())
        std::abort();

    if (!pageList) {
        try {
            const auto page = platform::gdi::TMetafile::FromBytes(bytes);
            const bool exact = pages::PageContainsText(page, text, true);
            const bool anyCase = pages::PageContainsText(page, text, false);
            // What matches with its case matches without it.
            if (exact && !anyCase)
                std::abort();
            (void)pages::PageContainsText(page, text, matchCase);
        } catch (const std::exception& e) {
            fuzz::acceptInputError(e);
        }
        return 0;
    }

    // The page store may spill to a temporary file, which the system can refuse.
    constexpr auto allow = fuzz::Allow::DamagedInputOrSystemFailure;
    pages::TQRPrinter recorder(nullptr);
    try {
        platform::TMemoryStream in(bytes);
        recorder.LoadFromStream(in);
    } catch (const std::exception& e) {
        fuzz::acceptInputError(e, allow);
        return 0;
    }
    try {
        const std::vector<int> found = pages::SearchPages(recorder, text, matchCase);
        checkFound(found, recorder.PageCount());
        // Searching again, the other way about the case, agrees with it.
        const std::vector<int> other = pages::SearchPages(recorder, text, !matchCase);
        checkFound(other, recorder.PageCount());
        if (!contains(matchCase ? other : found, matchCase ? found : other))
            std::abort();
        // Stepping through the results forwards and backwards, as the result
        // list is clicked, reaches only pages that exist.
        for (std::size_t i = 0; i < found.size(); ++i) {
            (void)recorder.GetPage(found[i]);
            (void)recorder.GetPage(found[found.size() - 1 - i]);
        }
    } catch (const std::exception& e) {
        fuzz::acceptInputError(e, allow);
    }
    return 0;
}
