#pragma once
// The printer wishes a report keeps with its definition; copied into the page
// recorder at the start of a run.

#include "pages/QRPrinterSettings.h"
#include "base/QRTypes.h"

namespace zt::report {

using pages::TQRPrinterSettingsEvent;

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
