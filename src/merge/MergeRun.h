#pragma once
// A mail merge as the report engine runs it: the printed letter's report
// once a recipient in one composite run (one document, one print job, one
// set of recorded pages), each letter counting its own pages.

#include "merge/MergeTemplate.h"
#include "output/uFrmReport.h"
#include "report/QRComposite.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace zt::report {
class TQRExportFilter;
}

namespace zt::merge {

class TMergeRun {
public:
    // Checks the list against the letter and makes every recipient's letter
    // once (their page totals); throws EAddressListError for a placeholder
    // without a column, an empty list, or a record that cannot be a letter.
    TMergeRun(const output::TWindowlessLetter& letter, TAddressList list, const std::string& listName);
    ~TMergeRun();
    TMergeRun(const TMergeRun&) = delete;
    TMergeRun& operator=(const TMergeRun&) = delete;

    std::size_t Letters() const { return FList.records.size(); }
    // The letter's report: its printer settings are the chain's.
    report::TBandoriaRep& Report() { return *FForm.BandoriaRep1; }

    // Every letter into one filter, one document.
    void ExportToFilter(report::TQRExportFilter* filter);
    // Every letter recorded; the chain's recorder then holds the pages.
    void Prepare();
    pages::TQRPrinter* Recorder() const { return FChain.QRPrinter(); }
    // Every letter in one print job.
    void Print();
    // One document a recipient in `dir`, named from the record; names never
    // collide, also where the file system does not tell capitals apart.
    // `written`, when given, hears of each filter once its document is written.
    void WriteEach(const std::string& dir,
                   const std::function<std::unique_ptr<report::TQRExportFilter>(const std::string& path)>& filterFor,
                   const std::function<void(const report::TQRExportFilter& filter)>& written = {});

private:
    void take(std::size_t record);
    report::TQRCompositeReport& chain();

    TMergeTemplate FTemplate;
    TAddressList FList;
    output::TfrmReport FForm;
    report::TQRCompositeReport FChain{nullptr};
    TMergedLetter FCurrent;
    int FPageTotal = 0;
    std::size_t FNext = 0;
    // A letter's page count starts when the one before has ended its last page.
    bool FLetterWaits = false;
    // Page totals by the message's line count (every other block has a
    // fixed place, so the lines alone decide the pages).
    std::map<std::size_t, int> FPages;
};

} // namespace zt::merge
