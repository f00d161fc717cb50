// "Als PDF per E-Mail senden...": the letter's PDF, exactly what the
// preview's PDF save writes, attached to a new message in the user's mail
// program.

#include "letter/window/TFrmMain.h"

#include "letter/state/Forms.h"
#include "letter/state/ProgramState.h"
#include "letter/controls/TEdit.h"
#include "output/LetterMail.h"
#include "output/uFrmReport.h"
#include "platform/dialogs/UserDialogs.h"

namespace zt::letter {

void TFrmMain::EMailPdfExecute()
{
    if (ReportForm() == nullptr || RefuseWhileWorking())
        return;
    const TWork work(*this);
    try {
        AttachReport(*frmReport);
        std::string notice;
        output::MailLetterPdf(*frmReport->BandoriaRep1, PreviewPageTotal, EditTitel1->Text(), &notice);
        // Sent, but not as an archive PDF: the user hears why.
        if (!notice.empty())
            platform::userDialogs().messageDlg(notice, platform::TMsgDlgType::mtInformation, platform::mbOK);
    } catch (const std::exception& e) {
        // The letter stays as it was; the box says why nothing was sent.
        platform::userDialogs().messageDlg(e.what(), platform::TMsgDlgType::mtError, platform::mbOK);
    }
}

} // namespace zt::letter
