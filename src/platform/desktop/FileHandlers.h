#pragma once
// Whether the desktop has a program for a file type, asked of GIO (the
// answer xdg-open acts on in today's desktops) before a file is handed to
// the opener, whose own failure would never reach us.

#include <optional>
#include <string>

namespace zt::platform::desktop {

// True or false when the desktop could be asked; nullopt when it cannot
// (no GIO), and the opener is left to try.
std::optional<bool> hasProgramFor(const std::string& mimeType);

} // namespace zt::platform::desktop
