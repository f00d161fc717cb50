#include "platform/clipboard/Clipboard.h"

#include <utility>

namespace zt::platform {

namespace {

MemoryClipboard gMemory;
Clipboard* gClipboard = nullptr;

} // namespace

Clipboard& clipboard()
{
    return gClipboard ? *gClipboard : gMemory;
}

Clipboard* setClipboard(Clipboard* c)
{
    return std::exchange(gClipboard, c);
}

} // namespace zt::platform
