#include "base/QRError.h"

namespace zt::base {

void raiseQRError(ErrorKind kind, const std::string& message)
{
    throw EQRError(kind, message);
}

} // namespace zt::base
