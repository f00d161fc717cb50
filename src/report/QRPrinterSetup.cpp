#include "report/QRPrinterSetup.h"

#include "pages/QRPrinter.h"
#include "pages/QRPrinterCodes.h"
#include "platform/printing/DevMode.h"
#include "platform/printing/Printer.h"
#include "report/QRPrintDialog.h"
#include "report/QRReport.h"

#include <utility>

namespace zt::report {

using pages::TPrinterSettings;

namespace {

// A raw paper source below 13 names a bin of the engine's own (its value
// read as a bin); any other is handed to the driver as it is.
void chooseBin(int raw, bool& useCustom, TQRBin& bin, int& custom)
{
    if (raw >= 0 && raw < 13) {
        useCustom = false;
        bin = static_cast<TQRBin>(raw);
    } else {
        useCustom = true;
        custom = raw;
    }
}

} // namespace

void TransferPrinterSettings(TCustomBandoriaRep& report, pages::TQRPrinter& printer)
{
    const TBandoriaRepPrinterSettings& p = report.PrinterSettings();
    const TQRPage& page = report.Page();
    TPrinterSettings& s = printer.PrinterSettings();
    printer.SetPrinterIndex(p.PrinterIndex);
    printer.SetPaperSize(page.PaperSize());
    printer.SetOrientation(page.Orientation());
    if (printer.PaperSize() == TQRPaperSize::Custom) {
        auto w = static_cast<int>(Round(page.Value(TQRPage::iWidth)));
        auto l = static_cast<int>(Round(page.Value(TQRPage::iLength)));
        if (page.Orientation() == TPrinterOrientation::poLandscape)
            std::swap(w, l);
        printer.SetPaperWidth(w);
        printer.SetPaperLength(l);
    }
    printer.SetCopies(p.Copies);
    printer.SetOutputBin(p.OutputBin);
    printer.FirstPage = p.FirstPage;
    printer.LastPage = p.LastPage;
    printer.SetDuplex(p.Duplex);
    s.UseStandardPrinter = p.UseStandardprinter;
    s.PrintMetafile = p.PrintMetaFile;
    s.UseCustomBinCode = p.UseCustomBinCode;
    s.CustomBinCode = p.CustomBinCode;
    s.UseCustomPaperCode = p.UseCustomPaperCode;
    s.CustomPaperCode = p.CustomPaperCode;
    s.PrintQuality = p.PrintQuality;
    s.Collate = p.Collate;
    s.ColorOption = p.ColorOption;
    s.ExtendedDuplex = p.ExtendedDuplex;
    s.OnApplyPrinterSettings = report.OnApplyPrinterSettings;
    s.OnGetPrinterSettings = report.OnGetPrinterSettings;
}

void PreviewPrinterSetup(pages::TQRPrinter& printer, const std::function<void()>& printNow)
{
    auto* rep = dynamic_cast<TCustomBandoriaRep*>(printer.ParentReport());
    if (rep == nullptr)
        return;
    platform::printing::Printer().Refresh();
    rep->PrinterSetup();
    if (rep->Tag != 0)
        return;
    printer.SetPrinterIndex(rep->PrinterSettings().PrinterIndex);

    TBandoriaRepPrinterSettings& u = rep->UserPrinterSettings();
    TPrinterSettings& s = printer.PrinterSettings();
    TQRBin bin = printer.OutputBin();
    chooseBin(u.CustomBinCode, s.UseCustomBinCode, bin, s.CustomBinCode);
    if (!s.UseCustomBinCode)
        printer.SetOutputBin(bin);
    s.Collate = u.Collate;
    s.ColorOption = u.ColorOption;
    s.PrintQuality = u.PrintQuality;
    printer.SetCopies(u.Copies);
    printer.SetDuplex(u.Duplex);
    printer.FirstPage = u.FirstPage;
    printer.LastPage = u.LastPage;
    u.UseExtendedDuplex = u.ExtendedDuplex > 1;
    s.ExtendedDuplex = u.ExtendedDuplex;
    s.UseExtendedDuplex = u.UseExtendedDuplex;

    if (!pages::SavedReportLoaded()) {
        TBandoriaRepPrinterSettings& p = rep->PrinterSettings();
        chooseBin(u.CustomBinCode, p.UseCustomBinCode, p.OutputBin, p.CustomBinCode);
        p.PrinterIndex = u.PrinterIndex;
        p.Copies = u.Copies;
        p.Duplex = u.Duplex;
        p.FirstPage = u.FirstPage;
        p.LastPage = u.LastPage;
        p.UseStandardprinter = u.UseStandardprinter;
        p.ExtendedDuplex = u.ExtendedDuplex;
        p.UseExtendedDuplex = u.UseExtendedDuplex;
        p.UseCustomPaperCode = u.UseCustomPaperCode;
        p.CustomPaperCode = u.CustomPaperCode;
        p.MemoryLimit = u.MemoryLimit;
        p.PrintQuality = u.PrintQuality;
        p.Collate = u.Collate;
        p.ColorOption = u.ColorOption;
        p.Orientation = u.Orientation;
    }
    if (rep->PrintAfterSetup && printNow)
        printNow();
}

void TCustomBandoriaRep::PrinterSetup()
{
    namespace pp = platform::printing;
    pp::TPrinter& printer = pp::Printer();
    printer.Refresh();
    TQRPrintDialog dialog;
    dialog.MinPage = 0;
    dialog.MaxPage = 9999;
    if (QRPrinter != nullptr && QRPrinter->Status() == TQRPrinterStatus::mpFinished) {
        dialog.MinPage = 1;
        dialog.MaxPage = QRPrinter->PageCount();
        dialog.FromPage = 1;
        dialog.ToPage = QRPrinter->PageCount();
    }
    dialog.Options = poPageNums | poWarning;
    if (!printer.Printers().empty())
        printer.SetOrientation(Page().Orientation() == TPrinterOrientation::poLandscape ? pp::DMORIENT_LANDSCAPE
                                                                                         : pp::DMORIENT_PORTRAIT);
    dialog.SetCopies(PrinterSettings().Copies);
    if (!dialog.Execute()) {
        Tag = 1;
        return;
    }
    const int chosen = printer.PrinterIndex();
    PrinterSettings().Copies = dialog.Copies();
    PrinterSettings().PrinterIndex = chosen;
    const auto orientation =
        dialog.Orientation == pp::DMORIENT_LANDSCAPE ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait;
    Page().SetOrientation(orientation);

    TBandoriaRepPrinterSettings& u = UserPrinterSettings();
    u.CustomBinCode = dialog.OutputBin;
    u.ExtendedDuplex = dialog.DuplexCode;
    u.PrintQuality = dialog.PrintQuality;
    u.Collate = dialog.Collate;
    u.ColorOption = dialog.ColorOption;
    u.Copies = dialog.Copies();
    u.Orientation = orientation;
    u.FirstPage = dialog.FromPage;
    u.LastPage = dialog.ToPage;
    u.OutputBin = PrinterSettings().OutputBin;
    // Sources from 256 on are the driver's own numbering of the same bins.
    const int raw = dialog.OutputBin >= pp::DMBIN_USER ? dialog.OutputBin - pp::DMBIN_USER : dialog.OutputBin;
    if (const auto bin = pages::BinOfCode(raw))
        u.OutputBin = *bin;
    u.CustomPaperCode = dialog.PaperSize;
    u.PrinterIndex = chosen;
    u.Duplex = dialog.Duplex;

    if (dialog.PrintRange == TPrintRange::prPageNums) {
        PrinterSettings().FirstPage = dialog.FromPage;
        PrinterSettings().LastPage = dialog.ToPage;
    } else {
        PrinterSettings().FirstPage = 0;
        PrinterSettings().LastPage = 0;
    }
    Tag = 0;
}

} // namespace zt::report
