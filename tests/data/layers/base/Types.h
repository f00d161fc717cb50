// Wrong on purpose: the shared types stand below the page recorder.
#pragma once
#include "platform/core/PlatformError.h"
#include "pages/QRPrinter.h"
