#include "report/QRComposite.h"

#include <algorithm>

namespace zt::report {

void TQRCompositeReport::AddReport(TCustomBandoriaRep* report)
{
    if (report != nullptr)
        FReports.push_back(report);
}

void TQRCompositeReport::Notification(TQRComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove)
        FReports.erase(std::remove(FReports.begin(), FReports.end(), static_cast<void*>(component)), FReports.end());
}

} // namespace zt::report
