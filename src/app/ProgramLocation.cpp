#include "app/ProgramLocation.h"

#include "letter/state/ProgramState.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace zt::app {

namespace {

std::string withSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

void makeFolders(const std::string& path)
{
    for (std::size_t i = 1; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '/')
            ::mkdir(path.substr(0, i).c_str(), 0700); // existing folders are fine
}

} // namespace

std::string programFileFolder()
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return withSeparator(".");
    std::string path(buf, static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string chooseProgramDir(const std::string& programFolder)
{
    // An installed program's bin/ folder is shared by every user (and open
    // to root), so it never takes the settings.
    const std::string folder = withSeparator(programFolder);
    const bool installed = folder == "/bin/" || folder.ends_with("/bin/");
    if (!installed && ::access(folder.c_str(), W_OK) == 0)
        return folder;
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        config = xdg;
    else
        config = letter::builtInHomeDir() + ".config";
    const std::string userFolder = withSeparator(config) + "zettelino/";
    makeFolders(userFolder);
    return userFolder;
}

} // namespace zt::app
