#include "cli/WindowlessCommands.h"

#include "cli/ExitStatus.h"
#include "output/LetterMail.h"
#include "output/LetterPdf.h"
#include "cli/MergeCommands.h"
#include "cli/ReportPages.h"
#include "files/LetterFile.h"
#include "output/LetterPrint.h"
#include "output/PlainText.h"
#include "output/WindowlessLetter.h"
#include "output/uFrmReport.h"
#include "pages/QRPreviewInterface.h"
#include "pages/QRPrinter.h"
#include "platform/text/TextFile.h"

#include <algorithm>
#include <ostream>

namespace zt::cli {

namespace {

// The printed letter's report as the window's report holder runs it.
class LetterReport {
public:
    explicit LetterReport(output::TWindowlessLetter letter)
        : source_(output::DesignPrintSource(std::move(letter.content), std::move(letter.labels)))
    {
        // The page total's run and the output's run print the same letter:
        // the first takes it over, the second finds the report filled.
        form_.LetterSource = [this] {
            std::optional<output::TLetterPrintSource> source = std::move(source_);
            source_.reset();
            return source;
        };
        form_.PageTotal = [this] { return pageTotal_; };
        form_.BandoriaRep1->ShowProgress = false;
    }
    ~LetterReport() { pages::SetPreviewInterfaceClass(nullptr); }
    LetterReport(const LetterReport&) = delete;
    LetterReport& operator=(const LetterReport&) = delete;

    report::TBandoriaRep& Report() { return *form_.BandoriaRep1; }
    int& PageTotal() { return pageTotal_; }

private:
    output::TfrmReport form_;
    std::optional<output::TLetterPrintSource> source_;
    int pageTotal_ = 0;
};

void writeOutput(const BatchOutput& output, output::TWindowlessLetter letter, std::ostream& err)
{
    switch (output.kind) {
    case BatchOutput::Kind::Text:
        platform::text::writeTextFile(output.path, output::PlainTextLines(letter.content, letter.labels));
        break;
    case BatchOutput::Kind::Zlw:
        platform::text::writeTextFile(output.path, files::LetterFileLines(letter.content));
        break;
    case BatchOutput::Kind::Qrp: {
        LetterReport report(std::move(letter));
        recordPreview(report.Report(), report.PageTotal());
        report.Report().QRPrinter->Save(output.path);
        break;
    }
    case BatchOutput::Kind::Pdf:
    case BatchOutput::Kind::PdfPlain: {
        LetterReport report(std::move(letter));
        warnOf(err, output::WriteLetterPdf(report.Report(), report.PageTotal(), output.path,
                                           output.kind == BatchOutput::Kind::Pdf ? output::TLetterPdfKind::Archive
                                                                                 : output::TLetterPdfKind::Plain));
        break;
    }
    case BatchOutput::Kind::Mail: {
        const std::string subject = letter.content.titel1;
        LetterReport report(std::move(letter));
        std::string notice;
        output::MailLetterPdf(report.Report(), report.PageTotal(), subject, &notice);
        warnOf(err, notice);
        break;
    }
    case BatchOutput::Kind::Info:
    case BatchOutput::Kind::PdfEach: // a merge's only
    case BatchOutput::Kind::Png:
    case BatchOutput::Kind::Print:
        break; // not taken here (needsNoWindow)
    }
}

} // namespace

bool needsNoWindow(const BatchOptions& options)
{
    return options.letterInput() && std::all_of(options.outputs.begin(), options.outputs.end(), [](const BatchOutput& o) {
               return BatchOutputInfo(o.kind).windowless;
           });
}

std::optional<int> runLetterWithoutWindow(const BatchOptions& options, std::ostream&, std::ostream& err)
{
    // As the window's Open, with a file the system cannot read told apart.
    std::vector<std::string> text;
    try {
        text = platform::text::readTextFile(options.input);
    } catch (const std::exception& e) {
        err << "zettelino-print: " << e.what() << '\n';
        return exitStatusFor(e, InputFile::Letter);
    }
    files::TLetterBuffer read;
    try {
        files::ReadLetterFile(files::TLetterFileReader(std::move(text)), read);
    } catch (const std::exception&) {
        err << "zettelino-print: " << options.input << ": " << files::kLetterOpenFailure << '\n';
        return kExitNotOpened;
    }
    std::optional<output::TWindowlessLetter> letter = output::OpenWithoutWindow(std::move(read));
    if (!letter)
        return std::nullopt;
    if (!options.mergeList.empty())
        return runMerge(*letter, options, err);
    for (const BatchOutput& output : options.outputs) {
        try {
            // The last output takes the letter over; those before it a copy.
            if (&output == &options.outputs.back())
                writeOutput(output, std::move(*letter), err);
            else
                writeOutput(output, *letter, err);
        } catch (const std::exception& e) {
            err << "zettelino-print: " << e.what() << '\n';
            return exitStatusFor(e, InputFile::Letter);
        }
    }
    return kExitDone;
}

} // namespace zt::cli
