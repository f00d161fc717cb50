#include "report/QRPrintDialog.h"

#include "platform/printing/PrintDialog.h"
#include "platform/printing/Printer.h"

#include <algorithm>

namespace zt::report {

using namespace platform::printing;

namespace {

// The dialog keeps page numbers in 16 bits.
std::int32_t page16(int value)
{
    return std::clamp(value, 0, 0xFFFF);
}

} // namespace

void TQRPrintDialog::SetCopies(int value)
{
    FCopies = value;
    if (!Printer().Printers().empty())
        Printer().SetCopies(value);
}

bool TQRPrintDialog::Execute()
{
    TPrinter& printer = Printer();
    PrintDialogRequest request;
    try {
        request.printer = printer.GetPrinter(request.mode).name;
    } catch (const std::exception&) {
        // No printer to choose from: as the system dialog, nothing is chosen.
        return false;
    }
    std::uint32_t flags = PrintRange == TPrintRange::prSelection  ? PD_SELECTION
                          : PrintRange == TPrintRange::prPageNums ? PD_PAGENUMS
                                                                  : PD_ALLPAGES;
    flags |= PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
    if (Collate != 0)
        flags |= PD_COLLATE;
    if (!(Options & poPrintToFile))
        flags |= PD_HIDEPRINTTOFILE;
    if (!(Options & poPageNums))
        flags |= PD_NOPAGENUMS;
    if (!(Options & poSelection))
        flags |= PD_NOSELECTION;
    if (Options & poDisablePrintToFile)
        flags |= PD_DISABLEPRINTTOFILE;
    if (PrintToFile)
        flags |= PD_PRINTTOFILE;
    if (Options & poHelp)
        flags |= PD_SHOWHELP;
    if (!(Options & poWarning))
        flags |= PD_NOWARNING;
    request.flags = flags;
    request.fromPage = page16(FromPage);
    request.toPage = page16(ToPage);
    request.minPage = page16(MinPage);
    request.maxPage = page16(MaxPage);
    request.copies = 0;
    request.onShow = [this] {
        if (OnShow)
            OnShow(this);
    };
    request.onClose = [this] {
        if (OnClose)
            OnClose(this);
    };

    const auto answer = runSystemPrintDialog(request);
    if (!answer)
        return false;
    printer.SetPrinter(answer->printer, answer->mode);
    PrintToFile = (answer->flags & PD_PRINTTOFILE) != 0;
    PrintRange = (answer->flags & PD_SELECTION)  ? TPrintRange::prSelection
                 : (answer->flags & PD_PAGENUMS) ? TPrintRange::prPageNums
                                                 : TPrintRange::prAllPages;
    FromPage = answer->fromPage;
    ToPage = answer->toPage;
    SetCopies(answer->copies == 1 ? printer.Copies() : answer->copies);
    const DevMode& m = answer->mode;
    Fields = m.dmFields;
    OutputBin = m.dmDefaultSource;
    PaperSize = m.dmPaperSize;
    Paperwidth = m.dmPaperWidth;
    Paperlength = m.dmPaperLength;
    Orientation = static_cast<std::int16_t>(m.dmOrientation);
    PrintQuality = m.dmPrintQuality;
    ColorOption = m.dmColor;
    DuplexCode = m.dmDuplex;
    Duplex = m.dmDuplex != DMDUP_SIMPLEX;
    Collate = m.dmCollate;
    return true;
}

} // namespace zt::report
