#include "cli/LetterCommands.h"

#include "letter/DateTexts.h"
#include "letter/ProgramState.h"
#include "letter/TFrmMain.h"
#include "letter/controls/TMemo.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/text/TextFile.h"

#include <ostream>

namespace zt::cli {

namespace {

using platform::DialogCall;

// The first warning or error box shown since `from`, if any.
const DialogCall* failureSince(const platform::ScriptedDialogs& dialogs, std::size_t from)
{
    for (std::size_t i = from; i < dialogs.calls().size(); ++i) {
        const DialogCall& c = dialogs.calls()[i];
        if (c.kind == DialogCall::Kind::Message &&
            (c.type == platform::TMsgDlgType::mtWarning || c.type == platform::TMsgDlgType::mtError))
            return &c;
    }
    return nullptr;
}

} // namespace

int runLetterCommands(const BatchOptions& options, std::ostream&, std::ostream& err)
{
    // As at the program's start, so dates and boxes read as in the window.
    letter::ShortDateFormat = "dd.mm.yyyy";
    platform::setApplicationTitle("Zettelino für Windows");
    platform::ScriptedDialogs dialogs;
    platform::ScopedUserDialogs scoped(dialogs);

    letter::TFrmMain frm;
    dialogs.answerOpen(options.input);
    frm.OeffnenExecute();
    if (const DialogCall* failure = failureSince(dialogs, 0)) {
        err << failure->text << '\n';
        return kExitNotOpened;
    }

    for (const BatchOutput& output : options.outputs) {
        const std::size_t before = dialogs.calls().size();
        try {
            if (output.kind == BatchOutput::Kind::Text) {
                frm.FillPlainText();
                platform::text::writeTextFile(output.path, frm.Memo1->TextLines());
            } else {
                dialogs.answerSave(output.path);
                frm.SpeichernExecute(frm.SpeichernUnter);
            }
        } catch (const std::exception& e) {
            err << "zettelino-print: " << e.what() << '\n';
            return kExitNotWritten;
        }
        if (const DialogCall* failure = failureSince(dialogs, before)) {
            err << "zettelino-print: " << failure->text << '\n';
            return kExitNotWritten;
        }
    }
    return kExitDone;
}

} // namespace zt::cli
