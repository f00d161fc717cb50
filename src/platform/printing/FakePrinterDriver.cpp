#include "platform/printing/FakePrinterDriver.h"

#include "platform/core/PlatformError.h"
#include "platform/core/WinMath.h"
#include "platform/printing/Printer.h"

#include <algorithm>
#include <utility>

namespace zt::platform::printing {

namespace {

// Papers the fake knows, portrait, 0.1 mm.
std::optional<std::pair<std::int32_t, std::int32_t>> paperOf(std::int32_t code)
{
    switch (code) {
    case 1: return std::pair{2159, 2794};   // Letter
    case 5: return std::pair{2159, 3556};   // Legal
    case 8: return std::pair{2970, 4200};   // A3
    case 9: return std::pair{2100, 2970};   // A4
    case 10: return std::pair{2100, 2970};  // A4 small
    case 11: return std::pair{1480, 2100};  // A5
    default: return std::nullopt;
    }
}

} // namespace

FakePrinter FakePrinter::standard(const std::string& name)
{
    FakePrinter p;
    p.info = {name, "Zettelino test driver", "FAKE:"};
    DevMode& m = p.defaults;
    m.dmDeviceName = name;
    m.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES | DM_DEFAULTSOURCE |
                 DM_PRINTQUALITY | DM_COLOR | DM_DUPLEX | DM_COLLATE;
    m.dmOrientation = DMORIENT_PORTRAIT;
    m.dmPaperSize = DMPAPER_A4;
    m.dmPaperWidth = 2100;
    m.dmPaperLength = 2970;
    m.dmCopies = 1;
    m.dmDefaultSource = DMBIN_AUTO;
    m.dmPrintQuality = 600;
    m.dmColor = DMCOLOR_COLOR;
    m.dmDuplex = DMDUP_SIMPLEX;
    m.dmCollate = DMCOLLATE_FALSE;
    p.offsetX = 100;
    p.offsetY = 120;
    p.paperCodes = std::vector<std::int32_t>{1, 5, 8, 9, 10, 11};
    return p;
}

class FakePrinterDriver::Job final : public PrintJob {
public:
    Job(FakePrinterDriver& driver, std::size_t index, const DeviceCaps& caps)
        : PrintJob(caps), driver_(driver), index_(index), generation_(driver.generation_)
    {
    }

protected:
    void pageDone(PrintedPage page) override
    {
        if (FakeJob* r = record())
            r->pages.push_back(std::move(page));
    }
    void docDone() override
    {
        if (FakeJob* r = record())
            r->ended = true;
    }
    void docAborted() override
    {
        if (FakeJob* r = record())
            r->aborted = true;
    }

private:
    // None once the driver's jobs were cleared after this one started.
    FakeJob* record() { return driver_.generation_ == generation_ ? &driver_.jobs_[index_] : nullptr; }

    FakePrinterDriver& driver_;
    std::size_t index_;
    std::uint64_t generation_;
};

const FakeJob& FakePrinterDriver::LastJob() const
{
    if (jobs_.empty())
        throw PlatformError(ErrorKind::InternalFault, "No print job was started");
    return jobs_.back();
}

void FakePrinterDriver::ClearJobs()
{
    jobs_.clear();
    ++generation_;
}

FakePrinter& FakePrinterDriver::Find(const std::string& name)
{
    const auto it = std::find_if(printers.begin(), printers.end(), [&](const FakePrinter& p) { return p.info.name == name; });
    if (it == printers.end())
        throw PlatformError(ErrorKind::SystemFailure, "Unbekannter Drucker: " + name);
    return *it;
}

std::vector<PrinterInfo> FakePrinterDriver::EnumPrinters()
{
    std::vector<PrinterInfo> out;
    for (const auto& p : printers)
        out.push_back(p.info);
    return out;
}

DevMode FakePrinterDriver::DefaultDevMode(const std::string& printer)
{
    ++devModeReads_;
    const FakePrinter& p = Find(printer);
    if (p.failDevMode)
        throw PlatformError(ErrorKind::SystemFailure, "Der Druckertreiber antwortet nicht");
    return p.defaults;
}

DeviceCaps FakePrinterDriver::GetDeviceCaps(const std::string& printer, const DevMode& mode)
{
    const FakePrinter& p = Find(printer);
    if (p.failDeviceCaps)
        throw PlatformError(ErrorKind::SystemFailure, "Der Druckertreiber antwortet nicht");
    // A named paper the fake knows wins; otherwise the record's own extent.
    auto paper = mode.Has(DM_PAPERSIZE) ? paperOf(mode.dmPaperSize) : std::nullopt;
    if (!paper && mode.dmPaperWidth > 0 && mode.dmPaperLength > 0)
        paper = std::pair{mode.dmPaperWidth, mode.dmPaperLength};
    if (!paper)
        paper = paperOf(DMPAPER_A4);
    auto [w, h] = *paper;
    if (mode.dmOrientation == DMORIENT_LANDSCAPE)
        std::swap(w, h);
    DeviceCaps c;
    c.logPixelsX = p.dpiX;
    c.logPixelsY = p.dpiY;
    c.physicalWidth = MulDiv(w, p.dpiX, 254);
    c.physicalHeight = MulDiv(h, p.dpiY, 254);
    c.physicalOffsetX = p.offsetX;
    c.physicalOffsetY = p.offsetY;
    c.horzRes = c.physicalWidth - 2 * p.offsetX;
    c.vertRes = c.physicalHeight - 2 * p.offsetY;
    return c;
}

std::optional<std::vector<std::int32_t>> FakePrinterDriver::PaperCodes(const std::string& printer)
{
    return Find(printer).paperCodes;
}

std::unique_ptr<PrintJob> FakePrinterDriver::StartDoc(const std::string& printer, const DevMode& mode,
                                                      const std::string& title)
{
    const DeviceCaps caps = GetDeviceCaps(printer, mode);
    auto job = std::make_unique<Job>(*this, jobs_.size(), caps);
    jobs_.push_back({printer, mode, title, caps, {}, false, false});
    return job;
}

std::shared_ptr<FakePrinterDriver> installFakePrinterDriver()
{
    auto driver = std::make_shared<FakePrinterDriver>();
    driver->printers = {FakePrinter::standard("Fake A"), FakePrinter::standard("Fake B")};
    driver->defaultPrinter = "Fake A";
    setPrinterDriver(driver);
    return driver;
}

} // namespace zt::platform::printing
