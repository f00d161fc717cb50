#include "report/QRError.h"

namespace zt::report {

void raiseQRError(const std::string& message)
{
    throw EQRError(message);
}

} // namespace zt::report
