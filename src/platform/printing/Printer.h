#pragma once
// The system printer object: a choice among the installed printers, the
// device mode the next job prints with, the printer's capabilities, and the
// document cycle (BeginDoc opens the job and its first page, NewPage ends a
// page and opens the next, EndDoc ends the last page and the job, Abort drops
// the job). The application-wide object is shared by everything that does
// not ask for a private one.

#include "platform/printing/PrinterDriver.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zt::platform::printing {

class TPrinter {
public:
    // On the process's current driver.
    TPrinter();
    explicit TPrinter(std::shared_ptr<PrinterDriver> driver);
    // A job still open is dropped.
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Moves the object onto another driver: its job, printer list and choice
    // are dropped.
    void Rebind(std::shared_ptr<PrinterDriver> driver);

    // The installed printers as last read (read on first use).
    const std::vector<PrinterInfo>& Printers();
    // Reads the list again; a chosen printer that is still installed stays chosen.
    void Refresh();
    // Whether a printer is installed; an empty list is read again first, so
    // a printer set up since it was read counts.
    bool AnyPrinter();

    // The chosen printer, the system default until one is chosen; -1 when no
    // printer is installed.
    int PrinterIndex();
    // -1 chooses the system default printer. The device mode starts again
    // from the driver's defaults. PlatformError for an index out of range.
    void SetPrinterIndex(int index);

    // The chosen printer's names and the device mode the next job prints
    // with. PlatformError when no printer is installed or the driver fails.
    PrinterInfo GetPrinter(DevMode& mode);
    // Chooses the printer named `device` and the device mode it prints with.
    void SetPrinter(const std::string& device, const DevMode& mode);

    DeviceCaps Caps();
    std::optional<std::vector<std::int32_t>> PaperCodes();

    // Copies and orientation of the device mode the next job prints with.
    int Copies();
    void SetCopies(int copies);
    std::int32_t Orientation();
    void SetOrientation(std::int32_t dmOrientation);

    std::string Title;

    void BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const { return job_ != nullptr; }
    bool Aborted() const { return aborted_; }
    // 1 for the job's first page; 0 while no job is open.
    int PageNumber() const { return pageNumber_; }
    // The open page's canvas; PlatformError while no job is open.
    gdi::EmfRecorder& Canvas();
    PrintJob& Job();
    // The printable area of the open job (or of the chosen printer), in pixels.
    int PageWidth();
    int PageHeight();

private:
    const PrinterInfo& chosen();
    DevMode& mode();

    std::shared_ptr<PrinterDriver> driver_;
    std::optional<std::vector<PrinterInfo>> printers_;
    int index_ = -1;                 // -1: not chosen yet, the default printer
    std::optional<DevMode> mode_;    // the driver's defaults until set
    std::unique_ptr<PrintJob> job_;
    bool aborted_ = false;
    int pageNumber_ = 0;
};

// The application-wide printer object, on the current driver.
TPrinter& Printer();

} // namespace zt::platform::printing
