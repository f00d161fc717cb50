#include "cli/ExitStatus.h"

#include "cli/BatchOptions.h"
#include "cli/PrintCommands.h"
#include "platform/core/PlatformError.h"

#include <ostream>

namespace zt::cli {

int exitStatusFor(const std::exception& e, InputFile input)
{
    if (dynamic_cast<const NoPrinterError*>(&e) != nullptr)
        return kExitNoPrinter;
    switch (platform::errorKindOf(e)) {
    case platform::ErrorKind::DamagedInput:
        return input == InputFile::Letter ? kExitNotOpened : kExitBadReport;
    case platform::ErrorKind::SystemFailure:
        return kExitNotWritten;
    case platform::ErrorKind::InternalFault:
        break;
    }
    return kExitInternal;
}

void warnOf(std::ostream& err, const std::string& notice)
{
    if (!notice.empty())
        err << "zettelino-print: Warnung: " << notice << '\n';
}

} // namespace zt::cli
