#pragma once
// The user's folders as the desktop names them.

#include <string>

namespace zt::platform::desktop {

// The user's documents folder (XDG_DOCUMENTS_DIR as xdg-user-dirs keeps it
// in user-dirs.dirs, else from the environment), with a trailing
// separator; the home folder when there is none or it does not exist.
std::string documentsFolder();

} // namespace zt::platform::desktop
