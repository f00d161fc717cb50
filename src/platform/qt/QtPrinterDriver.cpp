#include "platform/qt/QtPrinterDriver.h"

#include "platform/core/PlatformError.h"
#include "platform/gdi/EmfPlayer.h"
#include "platform/printing/JobTitle.h"
#include "platform/qt/QtDevMode.h"
#include "platform/qt/QtRenderTarget.h"

#include <QPainter>
#include <QPrinterInfo>

namespace zt::platform::qt {

using namespace printing;

namespace {

QPrinterInfo infoOf(const std::string& name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name));
    if (info.isNull())
        throw PlatformError(ErrorKind::SystemFailure, "Der gewählte Drucker ist ungültig: " + name);
    return info;
}

std::unique_ptr<QPrinter> printerFor(const std::string& name, const DevMode& mode)
{
    const QPrinterInfo info = infoOf(name);
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    configurePrinter(*printer, mode, announcedFields(info));
    return printer;
}

gdi::RectF rectOf(const gdi::EmfRect& r)
{
    return {double(r.left), double(r.top), double(r.right), double(r.bottom)};
}

} // namespace

std::vector<PrinterInfo> QtPrinterDriver::EnumPrinters()
{
    std::vector<PrinterInfo> out;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        out.push_back({info.printerName().toStdString(), info.makeAndModel().toStdString(), "cups"});
    return out;
}

std::string QtPrinterDriver::DefaultPrinter()
{
    return QPrinterInfo::defaultPrinterName().toStdString();
}

DevMode QtPrinterDriver::DefaultDevMode(const std::string& printer)
{
    return defaultDevMode(infoOf(printer));
}

DeviceCaps QtPrinterDriver::GetDeviceCaps(const std::string& printer, const DevMode& mode)
{
    return capsOf(*printerFor(printer, mode));
}

std::optional<std::vector<std::int32_t>> QtPrinterDriver::PaperCodes(const std::string& printer)
{
    const QPrinterInfo info = infoOf(printer);
    std::vector<std::int32_t> codes;
    for (const QPageSize& size : info.supportedPageSizes())
        if (size.windowsId() > 0)
            codes.push_back(size.windowsId());
    if (info.supportsCustomPageSizes())
        codes.push_back(DMPAPER_USER);
    return codes;
}

std::unique_ptr<PrintJob> QtPrinterDriver::StartDoc(const std::string& printer, const DevMode& mode,
                                                    const std::string& title)
{
    auto qprinter = printerFor(printer, mode);
    qprinter->setDocName(QString::fromStdString(jobTitle(title)));
    return std::make_unique<QtPrintJob>(std::move(qprinter));
}

QtPrintJob::QtPrintJob(std::unique_ptr<QPrinter> printer) : PrintJob(capsOf(*printer)), printer_(std::move(printer))
{
}

QtPrintJob::~QtPrintJob() = default;

void QtPrintJob::pageDone(PrintedPage page)
{
    pages_.push_back(std::move(page));
}

void QtPrintJob::docDone()
{
    if (pages_.empty())
        return;
    QPainter painter;
    if (!painter.begin(printer_.get()))
        throw PlatformError(ErrorKind::SystemFailure,
                            "Der Druckauftrag für \"" + printer_->printerName().toStdString() + "\" kann nicht beginnen");
    QtRenderTarget target(painter);
    const gdi::RectF whole{0, 0, double(Caps().horzRes), double(Caps().vertRes)};
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (i > 0 && !printer_->newPage())
            throw PlatformError(ErrorKind::SystemFailure, "Der Drucker hat keine neue Seite angenommen");
        painter.save();
        gdi::playEmf(pages_[i].drawing, target, whole);
        for (const PlacedSheet& s : pages_[i].sheets)
            gdi::playEmf(s.sheet, target, rectOf(s.dest));
        painter.restore();
    }
    pages_.clear();
    if (!painter.end() || printer_->printerState() == QPrinter::Error)
        throw PlatformError(ErrorKind::SystemFailure,
                            "Der Druckauftrag für \"" + printer_->printerName().toStdString() + "\" ist fehlgeschlagen");
}

void QtPrintJob::docAborted()
{
    pages_.clear();
}

} // namespace zt::platform::qt
