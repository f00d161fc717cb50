// The font cache file as a later run finds it: any bytes are refused or read
// as a cache whose answers go back out unchanged; never a crash, and never
// a face whose file the cache does not watch.

#include "platform/fonts/FontCache.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    const std::optional<zt::platform::FontCacheContents> read = zt::platform::parseFontCache(in);
    if (!read)
        return 0;
    for (const zt::platform::CachedMatch& m : read->matches) {
        if (read->find(m.family, m.bold, m.italic) == nullptr)
            std::abort();
        if (m.face && (m.face->file.empty() || m.face->file.front() != '/' || m.face->index < 0))
            std::abort();
    }
    // What was read is written back byte for byte.
    const std::optional<std::string> again = zt::platform::serializeFontCache(*read);
    if (!again || *again != in)
        std::abort();
    // Checking the stamps only looks at the paths named.
    zt::platform::cacheStillHolds(*read, zt::platform::currentFontEnvironment());
    return 0;
}
