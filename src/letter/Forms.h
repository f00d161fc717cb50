#pragma once
// The windows created at start-up, reachable from one another as the
// program's forms are. Each is null until start-up has created it.

namespace zt::output {
class TfrmReport;
}

namespace zt::letter {

class TFrmMain;
class TfrmTextbausteine;
class TAboutBox;
class TFrmKalender;

extern TFrmMain* FrmMain;
extern output::TfrmReport* frmReport;
extern TfrmTextbausteine* frmTextbausteine;
extern TAboutBox* AboutBox;
extern TFrmKalender* FrmKalender;

} // namespace zt::letter
