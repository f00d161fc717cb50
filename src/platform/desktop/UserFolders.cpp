#include "platform/desktop/UserFolders.h"

#include <glib.h>
#include <sys/stat.h>

namespace zt::platform::desktop {

namespace {

bool isFolder(const char* path)
{
    struct stat st{};
    return path != nullptr && *path == '/' && ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

std::string withSeparator(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

} // namespace

std::string documentsFolder()
{
    // GLib reads user-dirs.dirs once and knows its quoting and $HOME rules.
    if (const char* documents = g_get_user_special_dir(G_USER_DIRECTORY_DOCUMENTS); isFolder(documents))
        return withSeparator(documents);
    return withSeparator(g_get_home_dir());
}

} // namespace zt::platform::desktop
