#pragma once
// Locales a test needs beyond "C". The build makes en_US.UTF-8 and
// de_DE.UTF-8 in its own tree and ctest points LOCPATH there, so under ctest
// a missing one is a failure; a test program started by hand without them
// skips the test instead.

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale.h>
#include <optional>
#include <string>

namespace zt::testing {

// Why `name` cannot be loaded, or nothing when it can.
inline std::optional<std::string> missingLocale(const char* name)
{
    if (locale_t loc = ::newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr))) {
        ::freelocale(loc);
        return std::nullopt;
    }
    if (const char* path = std::getenv("LOCPATH"))
        ADD_FAILURE() << name << " is missing from LOCPATH " << path;
    return std::string(name) + " is not installed (ctest makes it in the build tree)";
}

} // namespace zt::testing
