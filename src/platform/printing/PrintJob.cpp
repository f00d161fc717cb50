#include "platform/core/PlatformError.h"
#include "platform/printing/PrinterDriver.h"

namespace zt::platform::printing {

namespace {

bool usable(const DeviceCaps& c)
{
    return c.logPixelsX > 0 && c.logPixelsY > 0 && c.horzRes > 0 && c.vertRes > 0;
}

} // namespace

gdi::EmfRect printableRect(const DeviceCaps& caps)
{
    return {0, 0, caps.horzRes, caps.vertRes};
}

PrintJob::PrintJob(const DeviceCaps& caps) : caps_(caps)
{
    if (!usable(caps_))
        throw PlatformError(ErrorKind::SystemFailure, "Der Drucker meldet keine druckbare Seite");
}

PrintJob::~PrintJob() = default;

void PrintJob::requireOpenJob() const
{
    if (ended_)
        throw PlatformError(ErrorKind::InternalFault, "The print job has ended");
}

void PrintJob::StartPage()
{
    requireOpenJob();
    if (canvas_)
        EndPage();
    const auto device = gdi::RefDevice::page(caps_.horzRes, caps_.vertRes, caps_.logPixelsX, caps_.logPixelsY);
    canvas_.emplace(gdi::EmfRecorder::forPage(device, caps_.horzRes, caps_.vertRes));
    sheets_.clear();
}

gdi::EmfRecorder& PrintJob::Canvas()
{
    requireOpenJob();
    if (!canvas_)
        throw PlatformError(ErrorKind::InternalFault, "No page of the print job is open");
    return *canvas_;
}

void PrintJob::DrawSheet(const gdi::TMetafile& sheet, const gdi::EmfRect& dest)
{
    Canvas();
    sheets_.push_back({sheet, dest});
}

void PrintJob::EndPage()
{
    requireOpenJob();
    if (!canvas_)
        return;
    PrintedPage page{canvas_->Finish(), std::move(sheets_)};
    canvas_.reset();
    sheets_.clear();
    ++pagesEnded_;
    pageDone(std::move(page));
}

void PrintJob::EndDoc()
{
    requireOpenJob();
    EndPage();
    ended_ = true;
    docDone();
}

void PrintJob::Abort()
{
    if (ended_)
        return;
    canvas_.reset();
    sheets_.clear();
    ended_ = true;
    docAborted();
}

} // namespace zt::platform::printing
