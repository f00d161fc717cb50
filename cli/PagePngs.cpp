#include "cli/PagePngs.h"

#include "platform/core/PlatformError.h"
#include "platform/qt/QtRenderTarget.h"

#include <QDir>
#include <QImageWriter>
#include <cstdio>

namespace zt::cli {

std::string pngName(const std::string& dir, std::size_t page)
{
    char name[32];
    std::snprintf(name, sizeof name, "page-%03zu.png", page);
    return dir + (dir.ends_with('/') ? "" : "/") + name;
}

void writePngs(const std::vector<std::unique_ptr<platform::gdi::TMetafile>>& pages, const std::string& dir)
{
    if (!QDir().mkpath(QString::fromStdString(dir)))
        throw platform::PlatformError(platform::ErrorKind::SystemFailure, "Cannot create folder \"" + dir + "\"");
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::string file = pngName(dir, i + 1);
        QImageWriter writer(QString::fromStdString(file), "png");
        if (!writer.write(platform::qt::renderPage(*pages[i])))
            throw platform::PlatformError(platform::ErrorKind::SystemFailure,
                                          "Cannot write file \"" + file + "\": " + writer.errorString().toStdString());
    }
}

} // namespace zt::cli
