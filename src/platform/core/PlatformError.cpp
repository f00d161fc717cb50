#include "platform/core/PlatformError.h"
#include "platform/core/SystemReason.h"

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
    return what + ": " + systemReason(err);
}

namespace {

std::string fileCannot(const std::string& path, const char* what)
{
    return "Die Datei \"" + path + "\" kann nicht " + what + " werden";
}

} // namespace

std::string cannotOpen(const std::string& path) { return fileCannot(path, "geöffnet"); }
std::string cannotRead(const std::string& path) { return fileCannot(path, "gelesen"); }
std::string cannotWrite(const std::string& path) { return fileCannot(path, "geschrieben"); }
std::string cannotCreate(const std::string& path) { return fileCannot(path, "angelegt"); }

void throwSystemError(const std::string& what, int err)
{
    throw PlatformError(ErrorKind::SystemFailure, systemMessage(what, err));
}

} // namespace zt::platform
