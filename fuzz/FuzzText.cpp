// Text decoding: any bytes give valid UTF-8 lines that re-encode and read back
// unchanged.
#include "platform/text/TextFile.h"
#include "platform/text/Utf.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zt::platform::text;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = splitLines(decodeText(bytes).text);
    for (const auto& line : lines)
        if (!isValidUtf8(line))
            std::abort();
    if (splitLines(decodeText(encodeLines(lines)).text) != lines)
        std::abort();
    return 0;
}
