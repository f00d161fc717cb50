#pragma once
// Chains several reports into one document.

#include "report/QRComponent.h"
#include "report/QRReportPrinterSettings.h"
#include "report/QRTypes.h"

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

class TQRCompositeReport : public TQRComponent {
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
    // straight to the printer (Print). Each report starts on a new page.
    void Prepare();
    void Print();
    // Runs every report in turn into one filter (each report's ExportComposite).
    void ExportToFilter(TQRExportFilter* aFilter);
    // The recorder of the last Prepare; none before.
    pages::TQRPrinter* QRPrinter() const { return FPrinter.get(); }

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
