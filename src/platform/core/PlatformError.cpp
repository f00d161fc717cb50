#include "platform/core/PlatformError.h"

#include <cstring>
#include <new>
#include <system_error>

namespace zt::platform {

ErrorKind errorKindOf(const std::exception& e)
{
    if (const auto* own = dynamic_cast<const PlatformError*>(&e))
        return own->kind();
    // Also the file system library's and the streams' errors, which derive from it.
    if (dynamic_cast<const std::system_error*>(&e) != nullptr || dynamic_cast<const std::bad_alloc*>(&e) != nullptr)
        return ErrorKind::SystemFailure;
    return ErrorKind::InternalFault;
}

std::string systemMessage(const std::string& what, int err)
{
    return what + ": " + std::strerror(err);
}

void throwSystemError(const std::string& what, int err)
{
    throw PlatformError(ErrorKind::SystemFailure, systemMessage(what, err));
}

} // namespace zt::platform
