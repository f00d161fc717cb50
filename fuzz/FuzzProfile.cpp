// Settings files: any bytes must parse, answer lookups and take writes.
#include "platform/profile/ProfileFile.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto profile = zt::platform::ProfileFile::fromText(bytes);
    (void)profile.readString("Setup", "path_data", "C:\\");
    (void)profile.readInteger("foMain", "left", 10);
    (void)profile.readInteger("foMain", "width", 680);
    profile.writeString("Setup", "path_data", "/tmp/");
    profile.writeInteger("foMain", "left", 10);
    return 0;
}
