#include "cli/PrintCommands.h"

#include "pages/QRPrinter.h"
#include "platform/printing/Printer.h"
#include "report/QRPage.h"
#include "report/QRReport.h"

#include <filesystem>
#include <ostream>

namespace zt::cli {

void listPrinters(std::ostream& out)
{
    platform::printing::TPrinter printer;
    const auto& list = printer.Printers();
    if (list.empty())
        throw NoPrinterError("Es ist kein Drucker installiert");
    const int chosen = printer.PrinterIndex();
    for (std::size_t i = 0; i < list.size(); ++i)
        out << (static_cast<int>(i) == chosen ? "* " : "  ") << list[i].name << '\n';
}

int printerIndexFor(const std::string& printer)
{
    platform::printing::TPrinter system;
    const auto& list = system.Printers();
    if (list.empty())
        throw NoPrinterError("Es ist kein Drucker installiert");
    if (printer.empty())
        return -1;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].name == printer)
            return static_cast<int>(i);
    throw NoPrinterError("Es gibt keinen Drucker namens \"" + printer + "\"");
}

void printSavedReport(const std::string& path, const std::string& printer)
{
    // A report holds the sheet's size, so each sheet lands at its own size
    // with its corner on the paper's corner.
    report::TQRForm form;
    auto* rep = new report::TBandoriaRep(&form);
    rep->ShowProgress = false;
    pages::TQRPrinter recorder(rep);
    if (!recorder.PrinterOK())
        throw NoPrinterError("Es ist kein Drucker installiert");
    int index = -1;
    if (!printer.empty()) {
        const auto& list = recorder.Printers();
        for (std::size_t i = 0; i < list.size() && index < 0; ++i)
            if (list[i].name == printer)
                index = static_cast<int>(i);
        if (index < 0)
            throw NoPrinterError("Es gibt keinen Drucker namens \"" + printer + "\"");
    }
    recorder.SetPrinterIndex(index);
    recorder.Load(path);
    if (const auto first = recorder.GetPage(1)) {
        rep->SetUnits(report::TQRUnit::Native);
        rep->Page().SetPaperSize(report::TQRPaperSize::Custom);
        rep->Page().SetWidth(first->MMWidth() / 10.0L);
        rep->Page().SetLength(first->MMHeight() / 10.0L);
    }
    recorder.Title = std::filesystem::path(path).filename().string();
    recorder.Print();
}

} // namespace zt::cli
