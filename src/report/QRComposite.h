#pragma once
// Chains several reports into one document.

#include "report/QRComponent.h"
#include "report/QRReportPrinterSettings.h"
#include "report/QRTypes.h"

#include <functional>
#include <string>
#include <vector>

namespace zt::report {

class TCustomBandoriaRep;

class TQRCompositeReport : public TQRComponent {
public:
    explicit TQRCompositeReport(TQRComponent* owner) : TQRComponent(owner) {}

    // Fills Reports before each run.
    std::function<void(TQRComponent* sender)> OnAddReports;
    const std::vector<TCustomBandoriaRep*>& Reports() const { return FReports; }
    void AddReport(TCustomBandoriaRep* report);
    void ClearReports() { FReports.clear(); }

    TBandoriaOptions Options = 0;
    std::string ReportTitle;
    TBandoriaRepPrinterSettings PrinterSettings;

protected:
    // A report that goes away leaves the chain.
    void Notification(TQRComponent* component, TOperation operation) override;

private:
    std::vector<TCustomBandoriaRep*> FReports;
};

} // namespace zt::report
