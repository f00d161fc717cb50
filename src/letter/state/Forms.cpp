#include "letter/state/Forms.h"

namespace zt::letter {

TFrmMain* FrmMain = nullptr;
output::TfrmReport* frmReport = nullptr;
TfrmTextbausteine* frmTextbausteine = nullptr;
TAboutBox* AboutBox = nullptr;
TFrmKalender* FrmKalender = nullptr;
std::function<void()> CreateReportForm;
std::function<void()> CreateAuxiliaryWindows;

void EnsureAuxiliaryWindows()
{
    if ((frmTextbausteine == nullptr || AboutBox == nullptr || FrmKalender == nullptr) && CreateAuxiliaryWindows)
        CreateAuxiliaryWindows();
}

output::TfrmReport* ReportForm()
{
    if (frmReport == nullptr && CreateReportForm)
        CreateReportForm();
    return frmReport;
}

} // namespace zt::letter
