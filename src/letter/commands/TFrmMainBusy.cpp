// Commands that must wait while a print, a save or a report run is in
// progress: those keep the event loop running, so a click could otherwise
// free or change the pages, report or merge run still on the stack.

#include "letter/window/TFrmMain.h"

#include "platform/dialogs/UserDialogs.h"
#include "preview/TQRStandardPreview.h"

namespace zt::letter {

namespace {

constexpr const char* kWorkingMessage =
    "Zettelino druckt oder speichert gerade.\nBitte warten Sie, bis das fertig ist.";

} // namespace

bool TFrmMain::RefuseWhileWorking()
{
    if (FWorking == 0 && !preview::AnyPreviewWorking())
        return false;
    platform::userDialogs().messageDlg(kWorkingMessage, platform::TMsgDlgType::mtInformation, platform::mbOK);
    return true;
}

} // namespace zt::letter
