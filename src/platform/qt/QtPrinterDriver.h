#pragma once
// The printer driver on Qt PrintSupport: the spooler's (CUPS) printers, their
// default device modes and capabilities, and print jobs whose pages are
// played onto the QPrinter's painter when the document ends, so an aborted
// job never reaches the spooler.

#include "platform/printing/PrinterDriver.h"

#include <QPrinter>
#include <memory>

namespace zt::platform::qt {

class QtPrinterDriver final : public printing::PrinterDriver {
public:
    std::vector<printing::PrinterInfo> EnumPrinters() override;
    std::string DefaultPrinter() override;
    printing::DevMode DefaultDevMode(const std::string& printer) override;
    printing::DeviceCaps GetDeviceCaps(const std::string& printer, const printing::DevMode& mode) override;
    std::optional<std::vector<std::int32_t>> PaperCodes(const std::string& printer) override;
    std::unique_ptr<printing::PrintJob> StartDoc(const std::string& printer, const printing::DevMode& mode,
                                                 const std::string& title) override;
};

// A job on a set-up QPrinter (a spooler's printer or a PDF file).
class QtPrintJob final : public printing::PrintJob {
public:
    explicit QtPrintJob(std::unique_ptr<QPrinter> printer);
    ~QtPrintJob() override;

protected:
    void pageDone(printing::PrintedPage page) override;
    void docDone() override;
    void docAborted() override;

private:
    std::unique_ptr<QPrinter> printer_;
    std::vector<printing::PrintedPage> pages_;
};

} // namespace zt::platform::qt
