#pragma once
// The live bridge between a page recorder and one printer: reads the
// printer's current settings from its device mode, and before a job writes
// the report's wishes back into that record. A wish for a feature the driver
// does not announce in the record's dmFields is ignored, so the printer keeps
// its own value for it.

#include "platform/printing/DevMode.h"
#include "platform/printing/Printer.h"
#include "base/QRTypes.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace zt::pages {

class TPrinterSettings;

// Told around reading and writing the printer driver's device mode; setting
// `cancel` keeps the values (reading) or the driver's record (writing) as they were.
using TQRPrinterSettingsEvent =
    std::function<void(TPrinterSettings* sender, bool& cancel, platform::printing::DevMode* devMode)>;

class TPrinterSettings {
public:
    TPrinterSettings();

    platform::printing::TPrinter* Printer() const { return FPrinter; }
    // Stores the printer and, when it lists a printer, reads its settings.
    void SetPrinter(platform::printing::TPrinter* printer);
    // Reads the printer's current settings again. A driver that fails makes
    // the settings forget their printer; the values read last stay.
    void ReadSettings();
    // Writes the settings into the printer's device mode for the next job.
    void ApplySettings();

    // Taken only when the printer's record announces the feature.
    int Copies() const { return FCopies; }
    void SetCopies(int value);
    report::TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(report::TPrinterOrientation value);
    bool Duplex() const { return FDuplex; }
    void SetDuplex(bool value);
    report::TQRBin OutputBin() const { return FOutputBin; }
    void SetOutputBin(report::TQRBin value);
    // Taken when the printer supports the paper; Default always.
    report::TQRPaperSize PaperSize() const { return FPaperSize; }
    void SetPaperSize(report::TQRPaperSize value);
    bool PaperSizeSupported(report::TQRPaperSize size) const;

    int PaperWidth() const { return FPaperWidth; }
    void SetPaperWidth(int value) { FPaperWidth = value; }
    int PaperLength() const { return FPaperLength; }
    void SetPaperLength(int value) { FPaperLength = value; }

    // What the driver said.
    int PixelsPerX() const { return FPixelsPerX; }
    int PixelsPerY() const { return FPixelsPerY; }
    int TopOffset() const { return FTopOffset; }
    int LeftOffset() const { return FLeftOffset; }
    // The printer whose settings were read last; -1 before the first reading.
    int Index() const { return FIndex; }
    const std::string& Device() const { return FDevice; }
    const std::string& Driver() const { return FDriver; }
    const std::string& Port() const { return FPort; }
    // The record as last read; none when reading failed.
    const std::optional<platform::printing::DevMode>& LastRecord() const { return FDevMode; }

    bool PrintMetafile = false;
    bool UseStandardPrinter = false;
    TQRPrinterSettingsEvent OnGetPrinterSettings;
    TQRPrinterSettingsEvent OnApplyPrinterSettings;
    bool UseExtendedDuplex = false;   // kept for the report; writing looks at ExtendedDuplex only
    int ExtendedDuplex = 0;           // raw duplex code; 0 derives it from Duplex
    bool UseCustomBinCode = false;
    int CustomBinCode = 0;
    int PrintQuality = 0;             // read, never written
    int Collate = 0;
    int ColorOption = 0;              // read, never written
    int MemoryLimit = 250000;
    bool UseCustomPaperCode = false;
    int CustomPaperCode = 0;
    std::string Title;

private:
    bool announces(std::uint32_t flag) const;
    bool fetchRecord(platform::printing::PrinterInfo& info, platform::printing::DevMode& mode);
    void readFrom(const platform::printing::DevMode& mode);
    // The paper's extent for the driver, 0.1 mm, portrait.
    int paperWidthValue() const;
    int paperLengthValue() const;

    int FIndex = -1;
    std::string FDevice, FDriver, FPort;
    std::optional<platform::printing::DevMode> FDevMode;
    int FCopies = 1;
    bool FDuplex = false;
    report::TPrinterOrientation FOrientation = report::TPrinterOrientation::poPortrait;
    report::TQRBin FOutputBin = report::TQRBin::First;
    report::TQRPaperSize FPaperSize = report::TQRPaperSize::A4;
    std::array<bool, 70> FPaperSizes{};   // index = TQRPaperSize; 0 (Default) unused
    int FPaperWidth = 0, FPaperLength = 0;
    int FPixelsPerX = 0, FPixelsPerY = 0;
    int FTopOffset = 0, FLeftOffset = 0;
    platform::printing::TPrinter* FPrinter = nullptr;
};

} // namespace zt::pages
