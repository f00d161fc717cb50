#pragma once
// A printer driver without printers behind it, for tests: its printers, their
// device-mode flags and capabilities are what the test configures, and every
// job is kept with the device mode it printed with and each page as metafiles,
// so a test reads exactly what reached the "printer".

#include "platform/printing/PrinterDriver.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zt::platform::printing {

struct FakePrinter {
    PrinterInfo info;
    // What DefaultDevMode answers; its dmFields are the features announced.
    DevMode defaults;
    std::int32_t dpiX = 600, dpiY = 600;
    std::int32_t offsetX = 0, offsetY = 0;    // device pixels
    std::optional<std::vector<std::int32_t>> paperCodes;
    bool failDevMode = false;                 // DefaultDevMode throws
    bool failDeviceCaps = false;              // GetDeviceCaps throws

    // An A4 printer that announces every feature: 600 dpi, offsets of 100 and
    // 120 pixels, the papers Letter, A4, A4Small, A5, Legal and A3.
    static FakePrinter standard(const std::string& name);
};

struct FakeJob {
    std::string printer;
    DevMode mode;
    std::string title;
    DeviceCaps caps;
    std::vector<PrintedPage> pages;
    bool ended = false;
    bool aborted = false;
};

class FakePrinterDriver final : public PrinterDriver {
public:
    FakePrinterDriver() = default;

    std::vector<FakePrinter> printers;
    std::string defaultPrinter;

    // Every job started, in order.
    const std::vector<FakeJob>& Jobs() const { return jobs_; }
    const FakeJob& LastJob() const;
    // Forgets the kept jobs, so a long-running user (a fuzzer printing every
    // input) does not grow without bound; a job still open prints into nothing.
    void ClearJobs();
    int DevModeReads() const { return devModeReads_; }

    FakePrinter& Find(const std::string& name);

    std::vector<PrinterInfo> EnumPrinters() override;
    std::string DefaultPrinter() override { return defaultPrinter; }
    DevMode DefaultDevMode(const std::string& printer) override;
    DeviceCaps GetDeviceCaps(const std::string& printer, const DevMode& mode) override;
    std::optional<std::vector<std::int32_t>> PaperCodes(const std::string& printer) override;
    std::unique_ptr<PrintJob> StartDoc(const std::string& printer, const DevMode& mode,
                                       const std::string& title) override;

private:
    class Job;
    std::vector<FakeJob> jobs_;
    // Bumped by ClearJobs, so an open job knows its record is gone.
    std::uint64_t generation_ = 0;
    int devModeReads_ = 0;
};

// Installs a fake driver with the standard printers "Fake A" (the default)
// and "Fake B" as the process's driver, and returns it.
std::shared_ptr<FakePrinterDriver> installFakePrinterDriver();

} // namespace zt::platform::printing
