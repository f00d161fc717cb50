#pragma once
// What a fuzz target may answer bad input with. Damaged input is the
// expected refusal; a system failure only where the target's own work goes
// to files or the system. Anything else (an internal fault, an exception of
// no kind we know) is a bug, so it stops the fuzzer here with its message.

#include "platform/core/PlatformError.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace zt::fuzz {

enum class Allow { DamagedInput, DamagedInputOrSystemFailure };

inline void acceptInputError(const std::exception& e, Allow allow = Allow::DamagedInput)
{
    const platform::ErrorKind kind = platform::errorKindOf(e);
    if (kind == platform::ErrorKind::DamagedInput)
        return;
    if (kind == platform::ErrorKind::SystemFailure && allow == Allow::DamagedInputOrSystemFailure)
        return;
    std::fprintf(stderr, "fuzz: unexpected %s error: %s\n",
                 kind == platform::ErrorKind::SystemFailure ? "system" : "internal", e.what());
    std::abort();
}

} // namespace zt::fuzz
