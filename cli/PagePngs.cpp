#include "cli/PagePngs.h"

#include "platform/core/PlatformError.h"
#include "platform/core/SystemReason.h"
#include "platform/files/FileAccess.h"
#include "platform/qt/QtRenderTarget.h"

#include <QImageWriter>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace zt::cli {

namespace {

// The image writer's own reasons are English: the system says why a file
// cannot be written.
std::string pngFailure(const std::string& file)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return platform::systemReason(errno);
    ::close(fd);
    return "Das Bild kann nicht geschrieben werden";
}

} // namespace

std::string pngName(const std::string& dir, std::size_t page)
{
    char name[32];
    std::snprintf(name, sizeof name, "page-%03zu.png", page);
    return dir + (dir.ends_with('/') ? "" : "/") + name;
}

void writePngs(const std::vector<std::unique_ptr<platform::gdi::TMetafile>>& pages, const std::string& dir)
{
    platform::files::createFolders(dir);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::string file = pngName(dir, i + 1);
        QImageWriter writer(QString::fromStdString(file), "png");
        if (!writer.write(platform::qt::renderPage(*pages[i])))
            throw platform::PlatformError(platform::ErrorKind::SystemFailure,
                                          platform::cannotWrite(file) + ": " + pngFailure(file));
    }
}

} // namespace zt::cli
