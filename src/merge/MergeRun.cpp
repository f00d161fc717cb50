#include "merge/MergeRun.h"

#include "merge/TextCase.h"
#include "output/LetterPrint.h"
#include "pages/QRPrinter.h"
#include "platform/core/SystemReason.h"
#include "platform/files/FileAccess.h"
#include "report/QRExportFilter.h"

#include <filesystem>
#include <set>

namespace zt::merge {

TMergeRun::TMergeRun(const output::TWindowlessLetter& letter, TAddressList list, const std::string& listName)
    : FTemplate(letter, list.columns), FList(std::move(list))
{
    if (FList.records.empty())
        throw EAddressListError("Die Adressliste \"" + listName + "\" enthält keine Empfänger.");
    FForm.LetterSource = [this] { return output::DesignPrintSource(FCurrent.letter.content, FCurrent.letter.labels); };
    FForm.PageTotal = [this] { return FPageTotal; };
    Report().ShowProgress = false;
    // Each letter made once before anything runs: a record that does not
    // fit stops the merge with nothing half done. A line count not seen
    // before is run once for its page total (a chain cannot do it later,
    // inside its own run).
    for (std::size_t i = 0; i < FList.records.size(); ++i) {
        FCurrent = FTemplate.Fill(FList.records[i], static_cast<int>(i) + 1);
        const std::size_t lines = FCurrent.letter.content.mitteilung.size();
        if (FPages.contains(lines))
            continue;
        Report().Prepare();
        FPages.emplace(lines, Report().QRPrinter != nullptr ? Report().QRPrinter->PageCount() : 1);
    }
    for (std::size_t i = 0; i < FList.records.size(); ++i)
        FChain.AddReport(&Report());
    FChain.ReportTitle = Report().ReportTitle();
    // Every letter starts on a page of its own and counts its own pages: the
    // letter before ends its last page (its page line set when that page
    // began) as the next one's first page begins, and the count starts anew
    // there.
    Report().StartNewPageInComposite = true;
    FChain.OnStartReport = [this](report::TQRComponent*) {
        FLetterWaits = FNext > 0;
        take(FNext++);
    };
    Report().OnEndPage = [this](report::TCustomBandoriaRep* sender) {
        if (FLetterWaits)
            sender->PageNumber = 0;
        FLetterWaits = false;
    };
}

TMergeRun::~TMergeRun() = default;

void TMergeRun::take(std::size_t record)
{
    FCurrent = FTemplate.Fill(FList.records[record], static_cast<int>(record) + 1);
    const auto known = FPages.find(FCurrent.letter.content.mitteilung.size());
    FPageTotal = known != FPages.end() ? known->second : 1;
}

report::TQRCompositeReport& TMergeRun::chain()
{
    FNext = 0;
    FLetterWaits = false;
    FChain.PrinterSettings = Report().PrinterSettings();
    return FChain;
}

void TMergeRun::ExportToFilter(report::TQRExportFilter* filter)
{
    chain().ExportToFilter(filter);
}

void TMergeRun::Prepare()
{
    chain().Prepare();
}

void TMergeRun::Print()
{
    chain().Print();
}

void TMergeRun::WriteEach(
    const std::string& dir,
    const std::function<std::unique_ptr<report::TQRExportFilter>(const std::string& path)>& filterFor,
    const std::function<void(const report::TQRExportFilter& filter)>& written)
{
    platform::files::createFolders(dir);
    std::set<std::string> taken;
    for (std::size_t i = 0; i < FList.records.size(); ++i) {
        take(i);
        const std::string stem = FCurrent.fileStem;
        std::string name = stem;
        for (int n = 2; !taken.insert(FoldCase(name)).second; ++n)
            name = stem + " (" + std::to_string(n) + ")";
        const std::unique_ptr<report::TQRExportFilter> filter =
            filterFor((std::filesystem::path(dir) / (name + ".pdf")).string());
        Report().ExportToFilter(filter.get());
        if (written)
            written(*filter);
    }
}

} // namespace zt::merge
