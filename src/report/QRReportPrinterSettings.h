#pragma once
// The printer wishes a report keeps with its definition; copied into the page
// recorder at the start of a run.

#include "report/QRTypes.h"

#include <functional>

namespace zt::platform::printing {
struct DevMode;
}
namespace zt::pages {
class TPrinterSettings;
}

namespace zt::report {

// Told around reading and writing the printer driver's device mode; setting
// `cancel` keeps the values (reading) or the driver's record (writing) as they were.
using TQRPrinterSettingsEvent =
    std::function<void(pages::TPrinterSettings* sender, bool& cancel, platform::printing::DevMode* devMode)>;

struct TBandoriaRepPrinterSettings {
    int PrinterIndex = -1;  // -1: the report never chose a printer
    int Copies = 1;
    TQRBin OutputBin = TQRBin::Auto;
    bool Duplex = false;
    int FirstPage = 0;      // 0 and 0: all pages
    int LastPage = 0;
    bool UseStandardprinter = false;
    bool UseCustomBinCode = false;
    int CustomBinCode = 0;
    bool UseExtendedDuplex = false;
    int ExtendedDuplex = 0;
    bool UseCustomPaperCode = false;
    int CustomPaperCode = 0;
    bool PrintMetaFile = false;
    int MemoryLimit = 1000000;
    int PrintQuality = 0;
    int Collate = 0;
    int ColorOption = 0;
    TPrinterOrientation Orientation = TPrinterOrientation::poPortrait;
};

} // namespace zt::report
