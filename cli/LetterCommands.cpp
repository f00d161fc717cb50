#include "cli/LetterCommands.h"

#include "cli/ExitStatus.h"
#include "cli/PagePngs.h"
#include "output/LetterMail.h"
#include "output/LetterPdf.h"
#include "cli/MergeCommands.h"
#include "cli/PrintCommands.h"
#include "cli/ReportPages.h"
#include "letter/state/DateTexts.h"
#include "letter/state/Forms.h"
#include "letter/state/ProgramState.h"
#include "letter/window/TFrmMain.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "output/uFrmReport.h"
#include "pages/QRPreviewInterface.h"
#include "pages/QRPrinter.h"
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

// The report holder beside the window, as at the program's start.
class ReportHolder {
public:
    explicit ReportHolder(letter::TFrmMain& frm)
    {
        letter::frmReport = &report_;
        frm.AttachReport(report_);
        report_.BandoriaRep1->ShowProgress = false;
    }
    ~ReportHolder()
    {
        letter::frmReport = nullptr;
        pages::SetPreviewInterfaceClass(nullptr);
    }
    report::TBandoriaRep& Report() { return *report_.BandoriaRep1; }

private:
    output::TfrmReport report_;
};

void writeOutput(const BatchOutput& output, letter::TFrmMain& frm, ReportHolder& holder,
                 platform::ScriptedDialogs& dialogs, std::ostream& err)
{
    switch (output.kind) {
    case BatchOutput::Kind::Text:
        frm.FillPlainText();
        platform::text::writeTextFile(output.path, frm.Memo1->TextLines());
        break;
    case BatchOutput::Kind::Zlw:
        dialogs.answerSave(output.path);
        frm.SpeichernExecute(frm.SpeichernUnter);
        break;
    case BatchOutput::Kind::Qrp:
        recordPreview(holder.Report(), letter::PreviewPageTotal);
        holder.Report().QRPrinter->Save(output.path);
        break;
    case BatchOutput::Kind::Png:
        writePngs(previewPages(holder.Report(), letter::PreviewPageTotal), output.path);
        break;
    case BatchOutput::Kind::Pdf:
    case BatchOutput::Kind::PdfPlain:
        warnOf(err, output::WriteLetterPdf(holder.Report(), letter::PreviewPageTotal, output.path,
                                           output.kind == BatchOutput::Kind::Pdf ? output::TLetterPdfKind::Archive
                                                                                 : output::TLetterPdfKind::Plain));
        break;
    case BatchOutput::Kind::Print:
        holder.Report().PrinterSettings().PrinterIndex = printerIndexFor(output.path);
        frm.DruckenExecute();
        break;
    case BatchOutput::Kind::Mail: {
        std::string notice;
        output::MailLetterPdf(holder.Report(), letter::PreviewPageTotal, frm.EditTitel1->Text(), &notice);
        warnOf(err, notice);
        break;
    }
    case BatchOutput::Kind::Info:
    case BatchOutput::Kind::PdfEach: // a merge's only
        break;
    }
}

} // namespace

int runLetterCommands(const BatchOptions& options, std::ostream&, std::ostream& err)
{
    // As at the program's start, so dates and boxes read as in the window.
    letter::ShortDateFormat = "dd.mm.yyyy";
    platform::setApplicationTitle("Zettelino für Windows");
    platform::ScriptedDialogs dialogs;
    platform::ScopedUserDialogs scoped(dialogs);

    // The window's Open says the same for every failure; a file the system
    // cannot read is told apart first, by the reader Open uses.
    try {
        (void)platform::text::readTextFile(options.input);
    } catch (const std::exception& e) {
        err << "zettelino-print: " << e.what() << '\n';
        return exitStatusFor(e, InputFile::Letter);
    }

    letter::TFrmMain frm;
    ReportHolder holder(frm);
    dialogs.answerOpen(options.input);
    frm.OeffnenExecute();
    if (const DialogCall* failure = failureSince(dialogs, 0)) {
        err << "zettelino-print: " << options.input << ": " << failure->text << '\n';
        return kExitNotOpened;
    }

    if (!options.mergeList.empty()) {
        return runMerge(frm.ShownLetter(), options, err, [](report::TBandoriaRep& rep, const std::string& printer) {
            rep.PrinterSettings().PrinterIndex = printerIndexFor(printer);
        });
    }
    for (const BatchOutput& output : options.outputs) {
        const std::size_t before = dialogs.calls().size();
        try {
            writeOutput(output, frm, holder, dialogs, err);
        } catch (const std::exception& e) {
            err << "zettelino-print: " << e.what() << '\n';
            return exitStatusFor(e, InputFile::Letter);
        }
        if (const DialogCall* failure = failureSince(dialogs, before)) {
            err << "zettelino-print: " << failure->text << '\n';
            return kExitNotWritten;
        }
    }
    return kExitDone;
}

} // namespace zt::cli
