#include "pages/QRPrinterSettings.h"

#include "pages/QRPrinterCodes.h"
#include "platform/messages/MessageQueue.h"
#include "base/QRMath.h"
#include "base/QRPaper.h"

namespace zt::pages {

using namespace platform::printing;
using report::Round;
using report::TPrinterOrientation;
using report::TQRBin;
using report::TQRPaperSize;

namespace {

// Device pixels to 0.1 mm; a driver that reports no resolution gives 0, not a
// division by zero.
int toNative(std::int32_t pixels, std::int32_t ppi)
{
    if (ppi <= 0)
        return 0;
    return static_cast<int>(Round(static_cast<long double>(pixels) / ppi * 254));
}

int tableTenths(TQRPaperSize size, bool length)
{
    const auto dims = report::PaperDimensions(size);
    return dims ? static_cast<int>(Round((length ? dims->Length : dims->Width) * 10)) : 0;
}

} // namespace

TPrinterSettings::TPrinterSettings() = default;

void TPrinterSettings::SetPrinter(TPrinter* printer)
{
    FPrinter = printer;
    if (FPrinter != nullptr && !FPrinter->Printers().empty())
        ReadSettings();
}

bool TPrinterSettings::fetchRecord(PrinterInfo& info, DevMode& mode)
{
    // The driver is asked a second time when its first answer fails.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            info = FPrinter->GetPrinter(mode);
            return true;
        } catch (const std::exception&) {
        }
    }
    return false;
}

void TPrinterSettings::ReadSettings()
{
    if (FPrinter == nullptr)
        return;
    platform::messageQueue().processMessages();
    FDevMode.reset();
    PrinterInfo info;
    DevMode mode;
    if (!fetchRecord(info, mode))
        return;
    FDevice = info.name;
    FDriver = info.driver;
    FPort = info.port;
    FDevMode = mode;
    try {
        bool cancel = false;
        if (OnGetPrinterSettings)
            OnGetPrinterSettings(this, cancel, &*FDevMode);
        if (cancel)
            return;
        readFrom(*FDevMode);
    } catch (const std::exception&) {
        FPrinter = nullptr;
    }
}

void TPrinterSettings::readFrom(const DevMode& m)
{
    const DeviceCaps caps = FPrinter->Caps();
    FPixelsPerX = caps.logPixelsX;
    FPixelsPerY = caps.logPixelsY;
    FCopies = m.Has(DM_COPIES) ? m.dmCopies : 1;
    const auto bin = m.Has(DM_DEFAULTSOURCE) ? BinOfCode(m.dmDefaultSource) : std::nullopt;
    FOutputBin = bin.value_or(TQRBin::First);
    if (m.Has(DM_DUPLEX)) {
        FDuplex = m.dmDuplex != DMDUP_SIMPLEX;
        ExtendedDuplex = m.dmDuplex;
    }
    FLeftOffset = toNative(caps.physicalOffsetX, FPixelsPerX);
    FTopOffset = toNative(caps.physicalOffsetY, FPixelsPerY);
    FPaperSize = m.Has(DM_PAPERSIZE) ? PaperSizeOfCode(m.dmPaperSize) : TQRPaperSize::Default;
    FPaperWidth = toNative(caps.physicalWidth, FPixelsPerX);
    FPaperLength = toNative(caps.physicalHeight, FPixelsPerY);
    FPaperSizes.fill(false);
    if (const auto codes = FPrinter->PaperCodes()) {
        for (const std::int32_t code : *codes) {
            for (int n = 1; n <= static_cast<int>(TQRPaperSize::Custom); ++n) {
                if (PaperCode(static_cast<TQRPaperSize>(n)) == code) {
                    FPaperSizes[static_cast<std::size_t>(n)] = true;
                    break;
                }
            }
        }
    }
    PrintQuality = m.dmPrintQuality;
    Collate = m.dmCollate;
    ColorOption = m.dmColor;
    FIndex = FPrinter->PrinterIndex();
}

int TPrinterSettings::paperWidthValue() const
{
    return report::IsNamedPaper(FPaperSize) ? tableTenths(FPaperSize, false) : FPaperWidth;
}

int TPrinterSettings::paperLengthValue() const
{
    return report::IsNamedPaper(FPaperSize) ? tableTenths(FPaperSize, true) : FPaperLength;
}

void TPrinterSettings::ApplySettings()
{
    if (FPrinter == nullptr)
        return;
    PrinterInfo info;
    DevMode m;
    // Without a record there is nothing to write into; the job prints with
    // the printer's own settings.
    if (!fetchRecord(info, m))
        return;
    m.dmFields |= DM_PAPERLENGTH;
    m.dmPaperLength = paperLengthValue();
    m.dmFields |= DM_PAPERWIDTH;
    m.dmPaperWidth = paperWidthValue();
    if (m.Has(DM_PAPERSIZE) && FPaperSize != TQRPaperSize::Default)
        m.dmPaperSize = UseCustomPaperCode ? CustomPaperCode : PaperCode(FPaperSize);
    m.dmFields |= DM_COPIES;
    m.dmCopies = FCopies;
    if (m.Has(DM_DUPLEX))
        m.dmDuplex = ExtendedDuplex != 0 ? ExtendedDuplex : (FDuplex ? DMDUP_HORIZONTAL : DMDUP_SIMPLEX);
    m.dmFields |= DM_DEFAULTSOURCE;
    m.dmDefaultSource = UseCustomBinCode ? CustomBinCode : BinCode(FOutputBin);
    m.dmFields |= DM_ORIENTATION;
    m.dmOrientation = FOrientation == TPrinterOrientation::poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    if (m.Has(DM_COLLATE))
        m.dmCollate = Collate;
    bool cancel = false;
    if (OnApplyPrinterSettings)
        OnApplyPrinterSettings(this, cancel, &m);
    if (!cancel)
        FPrinter->SetPrinter(info.name, m);
}

bool TPrinterSettings::announces(std::uint32_t flag) const
{
    return FPrinter != nullptr && FDevMode && FDevMode->Has(flag);
}

void TPrinterSettings::SetCopies(int value)
{
    if (announces(DM_COPIES))
        FCopies = value;
}

void TPrinterSettings::SetOrientation(TPrinterOrientation value)
{
    if (announces(DM_ORIENTATION))
        FOrientation = value;
}

void TPrinterSettings::SetDuplex(bool value)
{
    if (announces(DM_DUPLEX))
        FDuplex = value;
}

void TPrinterSettings::SetOutputBin(TQRBin value)
{
    if (announces(DM_DEFAULTSOURCE))
        FOutputBin = value;
}

void TPrinterSettings::SetPaperSize(TQRPaperSize value)
{
    if (PaperSizeSupported(value))
        FPaperSize = value;
}

bool TPrinterSettings::PaperSizeSupported(TQRPaperSize size) const
{
    const int i = static_cast<int>(size);
    if (size == TQRPaperSize::Default)
        return true;
    return i > 0 && i < static_cast<int>(FPaperSizes.size()) && FPaperSizes[static_cast<std::size_t>(i)];
}

} // namespace zt::pages
