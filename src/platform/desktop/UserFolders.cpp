#include "platform/desktop/UserFolders.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zt::platform::desktop {

namespace {

bool isFolder(const std::string& path)
{
    struct stat st{};
    return !path.empty() && path.front() == '/' && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string withSeparator(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

// Read afresh each time (no cache as GLib keeps one): the home folder and
// the configuration may change under a running program's tests.
std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/')
        return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr)
        return pw->pw_dir;
    return "/";
}

// XDG_DOCUMENTS_DIR="$HOME/Dokumente" as xdg-user-dirs writes it: a quoted
// value that is "$HOME/..." or an absolute path; anything else is ignored.
std::string documentsFromUserDirs(const std::string& home)
{
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/')
        config = xdg;
    else
        config = home + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    std::string found;
    static const std::string key = "XDG_DOCUMENTS_DIR=\"";
    while (std::getline(in, line)) {
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0)
            continue;
        const auto end = line.find('"', start + key.size());
        if (end == std::string::npos)
            continue;
        std::string value = line.substr(start + key.size(), end - start - key.size());
        if (value.starts_with("$HOME"))
            value = home + value.substr(5);
        if (!value.empty() && value.front() == '/')
            found = value;
    }
    return found;
}

} // namespace

std::string documentsFolder()
{
    const std::string home = homeFolder();
    std::string documents = documentsFromUserDirs(home);
    if (documents.empty())
        if (const char* env = std::getenv("XDG_DOCUMENTS_DIR"); env != nullptr)
            documents = env;
    // A documents folder set to the home folder itself is the home folder.
    if (isFolder(documents))
        return withSeparator(documents);
    return withSeparator(home);
}

} // namespace zt::platform::desktop
