#include "base/QRError.h"

namespace zt::report {

void raiseQRError(ErrorKind kind, const std::string& message)
{
    throw EQRError(kind, message);
}

} // namespace zt::report
