#pragma once
// The windows created at start-up, reachable from one another as the
// program's forms are. Each is null until start-up has created it.

#include <functional>

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

// The letter's report form, made by CreateReportForm on first use when the
// program has not made it yet: a report asks the print system for its
// paper when it is made, which the window's first paint does not need.
// Null when there is neither.
output::TfrmReport* ReportForm();
extern std::function<void()> CreateReportForm;

// The auxiliary windows (phrases, calendar, about box), made by
// CreateAuxiliaryWindows when first needed if start-up has not made them:
// they are not part of the window's first sight either.
void EnsureAuxiliaryWindows();
extern std::function<void()> CreateAuxiliaryWindows;

} // namespace zt::letter
