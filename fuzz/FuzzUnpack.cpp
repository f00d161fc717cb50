// The page coder on arbitrary bits: the first 4 bytes are the byte count.
// Unpacking succeeds or throws PlatformError; what it yields packs and
// unpacks to itself.
#include "pages/QRPayload.h"
#include "FuzzErrors.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::uint32_t count =
        std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 | std::uint32_t(data[2]) << 16 | std::uint32_t(data[3]) << 24;
    std::vector<std::uint8_t> plain;
    try {
        plain = zt::pages::UnpackBytes(data + 4, size - 4, count);
    } catch (const std::exception& e) {
        zt::fuzz::acceptInputError(e);
        return 0;
    }
    if (plain.size() != count)
        std::abort();
    const auto packed = zt::pages::PackBytes(plain.data(), plain.size());
    if (zt::pages::UnpackBytes(packed.data(), packed.size(), plain.size()) != plain)
        std::abort();
    return 0;
}
