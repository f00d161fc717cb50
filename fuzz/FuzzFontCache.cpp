// The font cache file as a later run finds it: any bytes are refused or read
// as a cache whose answers go back out unchanged; never a crash, and never
// a face whose file the cache does not watch. Each input is tried as it is
// and as the records of a file with the right checksum.

#include "platform/fonts/FontCache.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(std::string_view in)
{
    const std::optional<zt::platform::FontCacheContents> read = zt::platform::parseFontCache(in);
    if (!read)
        return;
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
}

// The input as the body of a file with the right checksum, so the records
// themselves are read, not only refused for a wrong sum.
std::string sealed(std::string_view body)
{
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (const char c : body) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001B3ull;
    }
    char sum[17];
    std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(h));
    return std::string(body) + "Z\t" + sum + "\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    check(in);
    check(sealed(in));
    return 0;
}
