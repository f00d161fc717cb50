#include "cli/MergeCommands.h"

#include "cli/ExitStatus.h"
#include "export/QRExportLibrary.h"
#include "merge/MergeTemplate.h"
#include "merge/TextCase.h"
#include "output/LetterPrint.h"
#include "output/uFrmReport.h"
#include "pages/QRPreviewInterface.h"
#include "pages/QRPrinter.h"
#include "platform/core/SystemReason.h"
#include "report/QRComposite.h"

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <set>

namespace zt::cli {

namespace {

using merge::TMergedLetter;

// The printed letter's report, filled from whichever recipient is current.
class MergeReport {
public:
    explicit MergeReport(const merge::TMergeTemplate& templ) : templ_(templ)
    {
        form_.LetterSource = [this] {
            return output::DesignPrintSource(current_.letter.content, current_.letter.labels);
        };
        form_.PageTotal = [this] { return pageTotal_; };
        form_.BandoriaRep1->ShowProgress = false;
    }
    ~MergeReport() { pages::SetPreviewInterfaceClass(nullptr); }

    report::TBandoriaRep& Report() { return *form_.BandoriaRep1; }

    // Makes a recipient's letter current, with its page total, which
    // Learn found before: a chain cannot run a report inside its own run.
    void Take(const merge::TAddressRecord& record, int number)
    {
        current_ = templ_.Fill(record, number);
        const auto known = pages_.find(current_.letter.content.mitteilung.size());
        pageTotal_ = known != pages_.end() ? known->second : 1;
    }
    const TMergedLetter& Current() const { return current_; }

    // A letter's page count follows from its message's lines alone (every
    // other block has a fixed place), so one run a line count tells it.
    void Learn(const merge::TAddressRecord& record, int number)
    {
        current_ = templ_.Fill(record, number);
        const std::size_t lines = current_.letter.content.mitteilung.size();
        if (pages_.contains(lines))
            return;
        Report().Prepare();
        pages_.emplace(lines, Report().QRPrinter != nullptr ? Report().QRPrinter->PageCount() : 1);
    }

private:
    const merge::TMergeTemplate& templ_;
    output::TfrmReport form_;
    TMergedLetter current_;
    int pageTotal_ = 0;
    std::map<std::size_t, int> pages_;
};

// The chain: the letter's report once a recipient, filled as each starts.
class MergeChain {
public:
    MergeChain(MergeReport& report, const merge::TAddressList& list) : report_(report), list_(list), chain_(nullptr)
    {
        for (std::size_t i = 0; i < list.records.size(); ++i)
            chain_.AddReport(&report.Report());
        chain_.ReportTitle = report.Report().ReportTitle();
        chain_.PrinterSettings = report.Report().PrinterSettings();
        chain_.OnStartReport = [this](report::TQRComponent*) {
            report_.Take(list_.records[next_], static_cast<int>(next_) + 1);
            ++next_;
        };
    }
    report::TQRCompositeReport& Chain()
    {
        next_ = 0;
        chain_.PrinterSettings = report_.Report().PrinterSettings();
        return chain_;
    }

private:
    MergeReport& report_;
    const merge::TAddressList& list_;
    report::TQRCompositeReport chain_;
    std::size_t next_ = 0;
};

std::unique_ptr<report::TQRExportFilter> pdfFilter(const std::string& path)
{
    const report::TQRExportFilterLibraryEntry* entry = report::QRExportFilterLibrary().GetFilterByExtension("PDF");
    if (entry == nullptr)
        throw platform::PlatformError(platform::ErrorKind::InternalFault, "Es ist kein PDF-Filter eingetragen");
    return entry->ExportFilterClass()->Create(path);
}

// One PDF a recipient, named from the record; names never collide, also
// where the file system does not tell capitals apart.
void writeEach(MergeReport& report, const merge::TAddressList& list, const std::string& dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!ec && !std::filesystem::is_directory(dir, ec))
        ec = std::make_error_code(std::errc::not_a_directory);
    if (ec)
        throw platform::PlatformError(platform::ErrorKind::SystemFailure, "Der Ordner \"" + dir +
                                                                              "\" kann nicht angelegt werden: " +
                                                                              platform::systemReason(ec.value()));
    std::set<std::string> taken;
    for (std::size_t i = 0; i < list.records.size(); ++i) {
        report.Take(list.records[i], static_cast<int>(i) + 1);
        const std::string stem = report.Current().fileStem;
        std::string name = stem;
        for (int n = 2; !taken.insert(merge::FoldCase(name)).second; ++n)
            name = stem + " (" + std::to_string(n) + ")";
        const std::string path = (std::filesystem::path(dir) / (name + ".pdf")).string();
        const std::unique_ptr<report::TQRExportFilter> filter = pdfFilter(path);
        report.Report().ExportToFilter(filter.get());
    }
}

void writeOutput(const BatchOutput& output, MergeReport& report, MergeChain& chain,
                 const merge::TAddressList& list, const MergePrinter& print)
{
    switch (output.kind) {
    case BatchOutput::Kind::Pdf: {
        const std::unique_ptr<report::TQRExportFilter> filter = pdfFilter(output.path);
        chain.Chain().ExportToFilter(filter.get());
        break;
    }
    case BatchOutput::Kind::PdfEach:
        writeEach(report, list, output.path);
        break;
    case BatchOutput::Kind::Qrp: {
        report::TQRCompositeReport& c = chain.Chain();
        c.Prepare();
        if (c.QRPrinter() == nullptr)
            throw platform::PlatformError(platform::ErrorKind::InternalFault, "Der Serienbrief ist nicht gelaufen");
        c.QRPrinter()->Save(output.path);
        break;
    }
    case BatchOutput::Kind::Print:
        if (!print)
            throw platform::PlatformError(platform::ErrorKind::InternalFault, "Drucken geht nur mit dem Fenster");
        print(report.Report(), output.path);
        chain.Chain().Print();
        break;
    default:
        break; // refused by the options
    }
}

} // namespace

int runMerge(const output::TWindowlessLetter& letter, const BatchOptions& options, std::ostream& err,
             const MergePrinter& print)
{
    merge::TAddressList list;
    std::optional<merge::TMergeTemplate> templ;
    std::optional<MergeReport> report;
    try {
        list = merge::ReadAddressFile(options.mergeList);
        templ.emplace(letter, list.columns);
        if (list.records.empty())
            throw merge::EAddressListError("Die Adressliste \"" + options.mergeList + "\" enthält keine Empfänger.");
        // Every recipient's letter is made once before anything is written,
        // so a record that does not fit stops the merge with nothing half done.
        report.emplace(*templ);
        for (std::size_t i = 0; i < list.records.size(); ++i)
            report->Learn(list.records[i], static_cast<int>(i) + 1);
    } catch (const std::exception& e) {
        err << "zettelino-print: " << e.what() << '\n';
        return platform::errorKindOf(e) == platform::ErrorKind::DamagedInput ? kExitBadMerge
                                                                              : exitStatusFor(e, InputFile::Letter);
    }
    MergeChain chain(*report, list);
    for (const BatchOutput& output : options.outputs) {
        try {
            writeOutput(output, *report, chain, list, print);
        } catch (const std::exception& e) {
            err << "zettelino-print: " << e.what() << '\n';
            return exitStatusFor(e, InputFile::Letter);
        }
    }
    return kExitDone;
}

} // namespace zt::cli
