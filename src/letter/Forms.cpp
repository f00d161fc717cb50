#include "letter/Forms.h"

namespace zt::letter {

TFrmMain* FrmMain = nullptr;
output::TfrmReport* frmReport = nullptr;
TfrmTextbausteine* frmTextbausteine = nullptr;
TAboutBox* AboutBox = nullptr;
TFrmKalender* FrmKalender = nullptr;

} // namespace zt::letter
