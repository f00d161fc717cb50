#pragma once
// Chains several reports into one document.

#include "pages/QRPrinterMaster.h"
#include "report/QRComponent.h"
#include "report/QRReportPrinterSettings.h"
#include "base/QRTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zt::pages {
class TQRPrinter;
}

namespace zt::report {

class TCustomBandoriaRep;
class TQRExportFilter;

class TQRCompositeReport : public TQRComponent, public pages::TQRPrinterMaster {
public:
    explicit TQRCompositeReport(TQRComponent* owner);
    ~TQRCompositeReport() override;

    // Fills Reports before each run.
    std::function<void(TQRComponent* sender)> OnAddReports;
    const std::vector<TCustomBandoriaRep*>& Reports() const { return FReports; }
    void AddReport(TCustomBandoriaRep* report);
    void ClearReports() { FReports.clear(); }

    TBandoriaOptions Options = 0;
    std::string ReportTitle;
    TBandoriaRepPrinterSettings PrinterSettings;
    // Told before each report of the chain runs.
    std::function<void(TQRComponent* sender)> OnStartReport;

    // Runs every report in turn into one recorder: its pages (Prepare) or
    // straight to the printer (Print). A report goes on where the one before
    // left off, unless its StartNewPageInComposite asks for a page of its own.
    void Prepare();
    void Print();
    // Runs every report in turn into one filter (each report's ExportComposite).
    void ExportToFilter(TQRExportFilter* aFilter);
    // The recorder of the last Prepare; none before.
    pages::TQRPrinter* QRPrinter() const { return FPrinter.get(); }

    // What the chain's recorder asks of it: the chain's own printer wishes;
    // its pages are played onto the printable area, without progress.
    TRecorderWishes RecorderWishes() const override
    {
        return {PrinterSettings.UseStandardprinter, PrinterSettings.MemoryLimit};
    }
    bool ExportRunning() const override { return false; }
    std::optional<TSheetSize> RecordedSheet() const override { return std::nullopt; }
    bool ShowsPrintProgress() const override { return false; }
    void RecordedPagesPrinted() override {}

protected:
    // A report that goes away leaves the chain.
    void Notification(TQRComponent* component, TOperation operation) override;

private:
    void run(TQRPrinterDestination destination);

    std::vector<TCustomBandoriaRep*> FReports;
    std::unique_ptr<pages::TQRPrinter> FPrinter;
    bool FRunning = false;
};

} // namespace zt::report
