#pragma once
// The size of the offscreen screen a window test program runs on, given
// before its application starts (its default, 800 x 600, is smaller than
// the desktops the windows are placed for). Under any other platform the
// program keeps the screen it finds.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace zt::testing {

// True when the screen is set (or another platform is in use).
inline bool useOffscreenScreen(int width, int height)
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && std::string(platform) != "offscreen")
        return true;
    static std::string file = "/tmp/zt-screen-XXXXXX";
    const int fd = ::mkstemp(file.data());
    if (fd < 0)
        return false;
    const std::string config = "{\"screens\": [{\"name\": \"Bildschirm\", \"x\": 0, \"y\": 0, \"width\": " +
                               std::to_string(width) + ", \"height\": " + std::to_string(height) +
                               ", \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}";
    const bool written = ::write(fd, config.data(), config.size()) == static_cast<ssize_t>(config.size());
    ::close(fd);
    std::atexit([] { std::remove(file.c_str()); });
    return written && ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file).c_str(), 1) == 0;
}

} // namespace zt::testing
