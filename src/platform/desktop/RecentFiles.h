#pragma once
// The desktop's list of recently used files (recently-used.xbel, shared by
// the file dialogs and file managers of every toolkit), read and written
// through GLib's bookmark file, so other programs' entries are kept as they
// wrote them.

#include <string>
#include <vector>

namespace zt::platform::desktop {

// Where the list lives: $XDG_DATA_HOME/recently-used.xbel, else
// ~/.local/share/recently-used.xbel. Read from the environment each time.
std::string recentlyUsedFile();

struct RecentEntry {
    std::string mimeType;     // of the file
    std::string application;  // the name the desktop lists it under
    std::string exec;         // how to open it again ("zettelino %u")
};

// Adds `path` (absolute) as just used by `entry.application`. A list that
// exists but cannot be read is left as it is. False, with the reason in
// `error`, when nothing was written.
bool addRecentFile(const std::string& listFile, const std::string& path, const RecentEntry& entry,
                   std::string* error = nullptr);

// The files of `mimeType` that `application` used, newest first, at most
// `limit`, only those that still exist. An unreadable list gives none.
std::vector<std::string> recentFiles(const std::string& listFile, const std::string& application,
                                     const std::string& mimeType, std::size_t limit);

} // namespace zt::platform::desktop
