#include "cli/MergeCommands.h"

#include "cli/ExitStatus.h"
#include "merge/MergeRun.h"
#include "output/LetterPdf.h"
#include "pages/QRPrinter.h"
#include "platform/core/PlatformError.h"
#include "report/QRExportFilter.h"

#include <optional>
#include <ostream>

namespace zt::cli {

namespace {

void writeOutput(const BatchOutput& output, merge::TMergeRun& run, const MergePrinter& print, std::ostream& err)
{
    switch (output.kind) {
    case BatchOutput::Kind::Pdf:
    case BatchOutput::Kind::PdfPlain: {
        const std::unique_ptr<report::TQRExportFilter> filter = output::CreateLetterPdfFilter(
            output.path, output.kind == BatchOutput::Kind::Pdf ? output::TLetterPdfKind::Archive
                                                               : output::TLetterPdfKind::Plain);
        run.ExportToFilter(filter.get());
        warnOf(err, filter->Notice());
        break;
    }
    case BatchOutput::Kind::PdfEach:
        run.WriteEach(output.path,
                      [](const std::string& path) {
                          return output::CreateLetterPdfFilter(path, output::TLetterPdfKind::Archive);
                      },
                      [&err](const report::TQRExportFilter& written) { warnOf(err, written.Notice()); });
        break;
    case BatchOutput::Kind::Qrp:
        run.Prepare();
        if (run.Recorder() == nullptr)
            throw platform::PlatformError(platform::ErrorKind::InternalFault, "Der Serienbrief ist nicht gelaufen");
        run.Recorder()->Save(output.path);
        break;
    case BatchOutput::Kind::Print:
        if (!print)
            throw platform::PlatformError(platform::ErrorKind::InternalFault, "Drucken geht nur mit dem Fenster");
        print(run.Report(), output.path);
        run.Print();
        break;
    case BatchOutput::Kind::Info:
    case BatchOutput::Kind::Png:
    case BatchOutput::Kind::Text:
    case BatchOutput::Kind::Zlw:
    case BatchOutput::Kind::Mail:
        // The options refuse these with a merge; reaching here is a fault.
        throw platform::PlatformError(platform::ErrorKind::InternalFault,
                                      std::string(BatchOutputInfo(output.kind).option) + " gilt nicht für einen Serienbrief");
    }
}

} // namespace

int runMerge(const output::TWindowlessLetter& letter, const BatchOptions& options, std::ostream& err,
             const MergePrinter& print)
{
    std::optional<merge::TMergeRun> run;
    try {
        run.emplace(letter, merge::ReadAddressFile(options.mergeList), options.mergeList);
    } catch (const std::exception& e) {
        err << "zettelino-print: " << e.what() << '\n';
        return platform::errorKindOf(e) == platform::ErrorKind::DamagedInput ? kExitBadMerge
                                                                              : exitStatusFor(e, InputFile::Letter);
    }
    for (const BatchOutput& output : options.outputs) {
        try {
            writeOutput(output, *run, print, err);
        } catch (const std::exception& e) {
            err << "zettelino-print: " << e.what() << '\n';
            return exitStatusFor(e, InputFile::Letter);
        }
    }
    return kExitDone;
}

} // namespace zt::cli
