#pragma once
// File names made from what a user typed (a subject line, a recipient's
// name) that every file system takes.

#include <string>

namespace zt::platform::files {

// No separators, reserved or control characters, no dots or blanks at
// either end, at most 100 characters and 200 bytes (whole characters: a
// name of three-byte letters plus " (n).pdf" stays under the 255 bytes a
// file name may have); `fallback` when nothing is left.
std::string SafeFileName(const std::string& stem, const std::string& fallback);

} // namespace zt::platform::files
