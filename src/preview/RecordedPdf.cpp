#include "preview/RecordedPdf.h"

#include "pages/QRPrinter.h"
#include "platform/core/PlatformError.h"
#include "platform/gdi/EmfPlayer.h"
#include "platform/qt/QtRenderTarget.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace zt::preview {

using namespace zt::pages;

namespace {

// The paper of a recorded page, from its size in hundredths of a millimetre.
QPageSize paperOf(const platform::gdi::TMetafile& page)
{
    const double w = page.MMWidth() > 0 ? page.MMWidth() / 100.0 : 210.0;
    const double h = page.MMHeight() > 0 ? page.MMHeight() / 100.0 : 297.0;
    return QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

} // namespace

void WriteRecordedPdf(const std::vector<std::unique_ptr<platform::gdi::TMetafile>>& pages, const std::string& path,
                      const std::string& title)
{
    const QString file = QString::fromStdString(path);
    {
        // QPdfWriter says nothing when it cannot write; find out first, with
        // the system's reason.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            platform::throwSystemError(platform::cannotCreate(path), errno);
        ::close(fd);
    }
    QPdfWriter writer(file);
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QStringLiteral("Zettelino"));
    writer.setResolution(1200);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!pages.empty())
        writer.setPageSize(paperOf(*pages.front()));
    QPainter painter;
    if (!painter.begin(&writer))
        throw platform::PlatformError(platform::ErrorKind::SystemFailure, platform::cannotWrite(path));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            writer.setPageSize(paperOf(*pages[i]));
            writer.newPage();
        }
        platform::qt::QtRenderTarget target(painter);
        platform::gdi::playEmf(*pages[i], target, {0, 0, double(writer.width()), double(writer.height())});
        painter.resetTransform();
    }
    if (!painter.end())
        throw platform::PlatformError(platform::ErrorKind::SystemFailure, platform::cannotWrite(path));
}

std::vector<std::unique_ptr<platform::gdi::TMetafile>> RecordedPages(TQRPrinter& printer)
{
    std::vector<std::unique_ptr<platform::gdi::TMetafile>> pages;
    for (int n = 1; n <= printer.PageCount(); ++n) {
        auto page = printer.GetPage(n);
        if (!page)
            throw platform::PlatformError(platform::ErrorKind::DamagedInput, "page " + std::to_string(n) + " is missing");
        pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace zt::preview
