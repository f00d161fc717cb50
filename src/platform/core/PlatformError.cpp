#include "platform/core/PlatformError.h"

#include <cstring>

namespace zt::platform {

std::string systemMessage(const std::string& what, int err)
{
    return what + ": " + std::strerror(err);
}

void throwSystemError(const std::string& what, int err)
{
    throw PlatformError(systemMessage(what, err));
}

} // namespace zt::platform
