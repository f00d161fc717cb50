// Wrong on purpose: the platform includes nothing above it.
#include "platform/core/PlatformError.h"
#include "pages/QRPrinter.h"
