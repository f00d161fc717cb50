#include "platform/printing/Printer.h"

#include "platform/core/PlatformError.h"

#include <algorithm>
#include <mutex>

namespace zt::platform::printing {

namespace {

// A machine without printers: every question has the empty answer.
class NoPrinterDriver final : public PrinterDriver {
public:
    std::vector<PrinterInfo> EnumPrinters() override { return {}; }
    std::string DefaultPrinter() override { return {}; }
    DevMode DefaultDevMode(const std::string&) override
    {
        throw PlatformError(ErrorKind::SystemFailure, "Es ist kein Drucker installiert");
    }
    DeviceCaps GetDeviceCaps(const std::string&, const DevMode&) override
    {
        throw PlatformError(ErrorKind::SystemFailure, "Es ist kein Drucker installiert");
    }
    std::optional<std::vector<std::int32_t>> PaperCodes(const std::string&) override { return std::nullopt; }
    std::unique_ptr<PrintJob> StartDoc(const std::string&, const DevMode&, const std::string&) override
    {
        throw PlatformError(ErrorKind::SystemFailure, "Es ist kein Drucker installiert");
    }
};

struct Installed {
    std::mutex mutex;
    std::shared_ptr<PrinterDriver> driver = std::make_shared<NoPrinterDriver>();
};

Installed& installed()
{
    static Installed i;
    return i;
}

} // namespace

std::shared_ptr<PrinterDriver> printerDriver()
{
    auto& i = installed();
    std::lock_guard lock(i.mutex);
    return i.driver;
}

void setPrinterDriver(std::shared_ptr<PrinterDriver> driver)
{
    auto& i = installed();
    {
        std::lock_guard lock(i.mutex);
        i.driver = driver ? std::move(driver) : std::make_shared<NoPrinterDriver>();
    }
    Printer().Rebind(printerDriver());
}

TPrinter& Printer()
{
    static TPrinter printer;
    return printer;
}

TPrinter::TPrinter() : TPrinter(printerDriver()) {}

TPrinter::TPrinter(std::shared_ptr<PrinterDriver> driver) : driver_(std::move(driver)) {}

TPrinter::~TPrinter()
{
    if (job_) {
        try {
            job_->Abort();
        } catch (...) {
            // Nothing can be reported from here; the job is gone either way.
        }
    }
}

void TPrinter::Rebind(std::shared_ptr<PrinterDriver> driver)
{
    if (job_)
        Abort();
    driver_ = std::move(driver);
    printers_.reset();
    index_ = -1;
    mode_.reset();
    aborted_ = false;
}

const std::vector<PrinterInfo>& TPrinter::Printers()
{
    if (!printers_)
        printers_ = driver_->EnumPrinters();
    return *printers_;
}

bool TPrinter::AnyPrinter()
{
    if (Printers().empty())
        Refresh();
    return !Printers().empty();
}

void TPrinter::Refresh()
{
    std::string chosenName;
    if (printers_ && index_ >= 0 && index_ < static_cast<int>(printers_->size()))
        chosenName = (*printers_)[static_cast<std::size_t>(index_)].name;
    printers_ = driver_->EnumPrinters();
    const auto it = std::find_if(printers_->begin(), printers_->end(),
                                 [&](const PrinterInfo& p) { return p.name == chosenName; });
    if (!chosenName.empty() && it != printers_->end()) {
        index_ = static_cast<int>(it - printers_->begin());
    } else {
        index_ = -1;
        mode_.reset();
    }
}

int TPrinter::PrinterIndex()
{
    const auto& list = Printers();
    if (list.empty())
        return -1;
    if (index_ < 0) {
        const std::string name = driver_->DefaultPrinter();
        const auto it = std::find_if(list.begin(), list.end(), [&](const PrinterInfo& p) { return p.name == name; });
        // A system without a default printer still prints: on its first printer.
        index_ = it == list.end() ? 0 : static_cast<int>(it - list.begin());
    }
    return index_;
}

void TPrinter::SetPrinterIndex(int index)
{
    const auto& list = Printers();
    if (index < -1 || index >= static_cast<int>(list.size()))
        throw PlatformError(ErrorKind::InternalFault, "Printer index out of range");
    index_ = index;
    mode_.reset();
}

const PrinterInfo& TPrinter::chosen()
{
    const int i = PrinterIndex();
    if (i < 0)
        throw PlatformError(ErrorKind::SystemFailure, "Es ist kein Drucker installiert");
    return (*printers_)[static_cast<std::size_t>(i)];
}

DevMode& TPrinter::mode()
{
    if (!mode_) {
        const PrinterInfo& p = chosen();
        mode_ = driver_->DefaultDevMode(p.name);
    }
    return *mode_;
}

PrinterInfo TPrinter::GetPrinter(DevMode& out)
{
    const PrinterInfo p = chosen();
    out = mode();
    return p;
}

void TPrinter::SetPrinter(const std::string& device, const DevMode& m)
{
    auto find = [&] {
        const auto& list = Printers();
        return std::find_if(list.begin(), list.end(), [&](const PrinterInfo& p) { return p.name == device; });
    };
    auto it = find();
    if (it == Printers().end()) {
        Refresh();
        it = find();
        if (it == Printers().end())
            throw PlatformError(ErrorKind::SystemFailure, "Der gewählte Drucker ist ungültig: " + device);
    }
    index_ = static_cast<int>(it - Printers().begin());
    mode_ = m;
}

DeviceCaps TPrinter::Caps()
{
    if (job_)
        return job_->Caps();
    const PrinterInfo p = chosen();
    return driver_->GetDeviceCaps(p.name, mode());
}

std::optional<std::vector<std::int32_t>> TPrinter::PaperCodes()
{
    const PrinterInfo p = chosen();
    return driver_->PaperCodes(p.name);
}

int TPrinter::Copies()
{
    const DevMode& m = mode();
    return m.Has(DM_COPIES) ? m.dmCopies : 1;
}

void TPrinter::SetCopies(int copies)
{
    DevMode& m = mode();
    m.dmFields |= DM_COPIES;
    m.dmCopies = copies;
}

std::int32_t TPrinter::Orientation()
{
    return mode().dmOrientation;
}

void TPrinter::SetOrientation(std::int32_t dmOrientation)
{
    DevMode& m = mode();
    m.dmFields |= DM_ORIENTATION;
    m.dmOrientation = dmOrientation;
}

void TPrinter::BeginDoc()
{
    if (job_)
        throw PlatformError(ErrorKind::InternalFault, "Printing in progress");
    const PrinterInfo p = chosen();
    aborted_ = false;
    auto job = driver_->StartDoc(p.name, mode(), Title);
    job->StartPage();
    job_ = std::move(job);
    pageNumber_ = 1;
}

void TPrinter::NewPage()
{
    Job().StartPage();
    ++pageNumber_;
}

void TPrinter::EndDoc()
{
    Job();
    auto job = std::move(job_);
    pageNumber_ = 0;
    job->EndDoc();
}

void TPrinter::Abort()
{
    if (!job_)
        return;
    auto job = std::move(job_);
    pageNumber_ = 0;
    aborted_ = true;
    job->Abort();
}

PrintJob& TPrinter::Job()
{
    if (!job_)
        throw PlatformError(ErrorKind::InternalFault, "Printer is not currently printing");
    return *job_;
}

gdi::EmfRecorder& TPrinter::Canvas()
{
    return Job().Canvas();
}

int TPrinter::PageWidth()
{
    return Caps().horzRes;
}

int TPrinter::PageHeight()
{
    return Caps().vertRes;
}

} // namespace zt::platform::printing
