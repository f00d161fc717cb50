#include "cli/MergeCommands.h"

#include "cli/ExitStatus.h"
#include "export/QRExportLibrary.h"
#include "export/QRPDFFilter.h"
#include "merge/MergeRun.h"
#include "pages/QRPrinter.h"

#include <optional>
#include <ostream>

namespace zt::cli {

namespace {

std::unique_ptr<report::TQRExportFilter> pdfFilter(const std::string& path)
{
    const report::TQRExportFilterLibraryEntry* entry = report::QRExportFilterLibrary().GetFilterByExtension("PDF");
    if (entry == nullptr)
        throw platform::PlatformError(platform::ErrorKind::InternalFault, "Es ist kein PDF-Filter eingetragen");
    return entry->ExportFilterClass()->Create(path);
}

// The letter's report asks for the archive document; the plain one is chosen here.
std::unique_ptr<report::TQRExportFilter> plainPdfFilter(const std::string& path)
{
    std::unique_ptr<report::TQRExportFilter> filter = pdfFilter(path);
    auto* pdf = dynamic_cast<report::TQRPDFDocumentFilter*>(filter.get());
    if (pdf == nullptr)
        throw platform::PlatformError(platform::ErrorKind::InternalFault,
                                      "Der eingetragene PDF-Filter kennt kein einfaches PDF");
    pdf->SetArchive(false);
    return filter;
}

void writeOutput(const BatchOutput& output, merge::TMergeRun& run, const MergePrinter& print, std::ostream& err)
{
    switch (output.kind) {
    case BatchOutput::Kind::Pdf:
    case BatchOutput::Kind::PdfPlain: {
        const std::unique_ptr<report::TQRExportFilter> filter =
            output.kind == BatchOutput::Kind::Pdf ? pdfFilter(output.path) : plainPdfFilter(output.path);
        run.ExportToFilter(filter.get());
        warnOf(err, filter->Notice());
        break;
    }
    case BatchOutput::Kind::PdfEach:
        run.WriteEach(output.path, pdfFilter,
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
