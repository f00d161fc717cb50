#pragma once
// What a page recorder asks of the report (or composite report) that runs
// into it. The report answers through this, so the recorder knows nothing of
// the report's model. The two requests that may find the report gone or busy
// (print once more, the preview has closed) travel as messages to the
// recorder's master window instead (see QRPrinter.h).

#include "base/QRMath.h"

#include <optional>

namespace zt::pages {

class TQRPrinterMaster {
public:
    // The printer wishes a new recorder starts from.
    struct TRecorderWishes {
        bool UseStandardPrinter = false;
        int MemoryLimit = 1000000;
    };
    // A sheet as the report lays it out, 0.1 mm.
    struct TSheetSize {
        report::Native Width = 0;
        report::Native Length = 0;
    };

    virtual ~TQRPrinterMaster() = default;

    virtual TRecorderWishes RecorderWishes() const = 0;
    // True while the report runs for an export filter: a page such a run
    // leaves open is not kept.
    virtual bool ExportRunning() const = 0;
    // The sheet recorded pages are played onto, whole, from the paper's
    // corner; none: the printer's printable area.
    virtual std::optional<TSheetSize> RecordedSheet() const = 0;
    // Whether playing the recorded pages to the printer shows its progress.
    virtual bool ShowsPrintProgress() const = 0;
    // The recorded pages have been played to the printer.
    virtual void RecordedPagesPrinted() = 0;
};

} // namespace zt::pages
