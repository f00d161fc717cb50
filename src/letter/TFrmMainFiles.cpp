// Open and Save of the main window.

#include "letter/TFrmMain.h"

#include "letter/ProgramState.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/files/FileAccess.h"

#include <QAction>

namespace zt::letter {

void TFrmMain::SpeichernExecute(QAction* sender)
{
    if (CurrentFile.empty() || sender == SpeichernUnter) {
        platform::FileDialogRequest request;
        request.filter = "Zettelino für Windows (*.ZLW)|*.ZLW";
        request.defaultExt = "*.ZLW";
        request.initialDir = LastDir;
        request.overwritePrompt = true;
        auto chosen = platform::userDialogs().saveFile(request);
        if (!chosen)
            return;
        CurrentFile = *chosen;
    }
    LetterSaved = true;
    LastDir = platform::files::folderOf(CurrentFile);
}

} // namespace zt::letter
