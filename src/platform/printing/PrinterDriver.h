#pragma once
// The printer driver interface: the installed printers, a printer's default
// device mode, its device capabilities at a device mode, the paper codes it
// supports, and print jobs.
//
// A job's pages are drawn with the same recording canvas the page store's
// pages are drawn with, at the printer's resolution and the size of its
// printable area (the device origin is the printable area's corner, as on a
// printer's device context). A page may also carry recorded sheets stretched
// into a rectangle of that area, drawn over the canvas's own drawing. The
// driver receives each finished page as metafiles and decides what a page
// becomes: paper, a spool file, or a record kept for a test.

#include "platform/gdi/EmfRecorder.h"
#include "platform/gdi/Metafile.h"
#include "platform/printing/DevMode.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zt::platform::printing {

struct PrinterInfo {
    std::string name;     // the device name; printers are told apart by it
    std::string driver;
    std::string port;
    bool operator==(const PrinterInfo&) const = default;
};

// What the system's GetDeviceCaps tells of a printer, in device pixels.
struct DeviceCaps {
    std::int32_t logPixelsX = 0, logPixelsY = 0;            // resolution, pixels per inch
    std::int32_t physicalOffsetX = 0, physicalOffsetY = 0;  // printable area's corner from the paper's corner
    std::int32_t physicalWidth = 0, physicalHeight = 0;     // the paper
    std::int32_t horzRes = 0, vertRes = 0;                  // the printable area
    bool operator==(const DeviceCaps&) const = default;
};

struct PlacedSheet {
    gdi::TMetafile sheet;
    gdi::EmfRect dest;    // device pixels of the printable area
};

struct PrintedPage {
    gdi::TMetafile drawing;            // the page canvas's recording
    std::vector<PlacedSheet> sheets;   // drawn over it, in order
};

class PrintJob {
public:
    // Throws PlatformError when the capabilities describe no usable page.
    explicit PrintJob(const DeviceCaps& caps);
    virtual ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    const DeviceCaps& Caps() const { return caps_; }

    // Opens a page; a page still open is ended first.
    void StartPage();
    bool PageOpen() const { return canvas_.has_value(); }
    // The open page's canvas; PlatformError when no page is open.
    gdi::EmfRecorder& Canvas();
    // Stretches a recorded sheet into `dest` on the open page.
    void DrawSheet(const gdi::TMetafile& sheet, const gdi::EmfRect& dest);
    void EndPage();
    // Ends the open page and the document; the job is spent.
    void EndDoc();
    // Drops the document; what was printed so far never reaches paper.
    void Abort();
    bool Ended() const { return ended_; }
    int PagesEnded() const { return pagesEnded_; }

protected:
    virtual void pageDone(PrintedPage page) = 0;
    virtual void docDone() = 0;
    virtual void docAborted() = 0;

private:
    void requireOpenJob() const;

    DeviceCaps caps_;
    std::optional<gdi::EmfRecorder> canvas_;
    std::vector<PlacedSheet> sheets_;
    int pagesEnded_ = 0;
    bool ended_ = false;
};

class PrinterDriver {
public:
    virtual ~PrinterDriver() = default;

    // The installed printers, asked for anew on every call.
    virtual std::vector<PrinterInfo> EnumPrinters() = 0;
    // The system's default printer; empty when there is none.
    virtual std::string DefaultPrinter() = 0;
    // The printer's default device mode; its dmFields announce what the
    // driver honours. PlatformError when the printer cannot answer.
    virtual DevMode DefaultDevMode(const std::string& printer) = 0;
    // Capabilities of the printer when printing with `mode`.
    virtual DeviceCaps GetDeviceCaps(const std::string& printer, const DevMode& mode) = 0;
    // The paper codes the printer supports; nullopt when it cannot say.
    virtual std::optional<std::vector<std::int32_t>> PaperCodes(const std::string& printer) = 0;
    // A job titled `title` that prints with `mode`; its first page is not open yet.
    virtual std::unique_ptr<PrintJob> StartDoc(const std::string& printer, const DevMode& mode,
                                               const std::string& title) = 0;
};

// The driver the process prints through: one with no printers until a
// program or a test installs its own.
std::shared_ptr<PrinterDriver> printerDriver();
// Installs `driver` (nullptr: the one with no printers) and gives the
// application-wide printer object a fresh start on it.
void setPrinterDriver(std::shared_ptr<PrinterDriver> driver);

// The printable area of `caps` as a page rectangle (0, 0, width, height).
gdi::EmfRect printableRect(const DeviceCaps& caps);

} // namespace zt::platform::printing
