#pragma once
// How a report's printer wishes reach its page recorder, and the preview's
// printer setup. The report's own PrinterSetup (the print dialog filling its
// settings) is declared with the report and built here, on the dialog.

#include <functional>

namespace zt::pages {
class TQRPrinter;
}

namespace zt::report {

class TCustomBandoriaRep;

// The report's printer settings and page handed to the recorder before a
// run. The printer choice comes first and starts from the driver's
// defaults, so every run is those defaults overlaid with the report's wishes.
void TransferPrinterSettings(TCustomBandoriaRep& report, pages::TQRPrinter& printer);

// The preview's printer setup: runs the previewed report's printer setup
// and, when confirmed, gives the answers to the preview's recorder and
// (unless a saved report file was loaded) to the report's settings.
// `printNow` is the preview's print command, run when the report asks to
// print right after its setup.
void PreviewPrinterSetup(pages::TQRPrinter& printer, const std::function<void()>& printNow);

} // namespace zt::report
