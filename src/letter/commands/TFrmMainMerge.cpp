// "Serienbrief...": the letter to every recipient of an address list, run
// as the batch tool runs it and shown in one preview, from which it prints
// in one job or saves as one PDF or saved report file.

#include "letter/window/TFrmMain.h"

#include "letter/state/ProgramState.h"
#include "merge/MergeRun.h"
#include "output/LetterPrint.h"
#include "pages/QRPrinter.h"
#include "preview/TQRStandardPreview.h"
#include "platform/dialogs/UserDialogs.h"
#include "report/QRExportFilter.h"
#include "letter/window/PreviewPlace.h"

#include <QGuiApplication>
#include <QScreen>

#include <filesystem>

namespace zt::letter {

namespace {

constexpr const char* kListFilter = "Adresslisten (*.csv;*.vcf;*.txt)|*.csv;*.CSV;*.vcf;*.VCF;*.txt;*.TXT|"
                                    "Alle Dateien (*)|*";

// An error box with an OK button.
constexpr auto errorBox = platform::showApplicationError;

} // namespace

void TFrmMain::SerienbriefExecute()
{
    // A new run replaces the last one, whose preview may be printing it.
    if (RefuseWhileWorking())
        return;
    const TWork work(*this);
    platform::FileDialogRequest request;
    request.title = "Adressliste für den Serienbrief";
    request.filter = kListFilter;
    request.initialDir = LastDir;
    const auto chosen = platform::userDialogs().openFile(request);
    if (!chosen)
        return;
    std::unique_ptr<merge::TMergeRun> run;
    try {
        run = std::make_unique<merge::TMergeRun>(ShownLetter(), merge::ReadAddressFile(*chosen), *chosen);
    } catch (const std::exception& e) {
        errorBox(e.what());
        return;
    }
    const std::size_t letters = run->Letters();
    platform::userDialogs().messageDlg("Der Serienbrief geht an " + std::to_string(letters) + " Empfänger.",
                                       platform::TMsgDlgType::mtInformation, platform::mbOK);
    run->Prepare();
    pages::TQRPrinter* recorder = run->Recorder();
    if (recorder == nullptr)
        return;
    recorder->Title = "Serienbrief " + std::filesystem::path(*chosen).filename().string() + " (" +
                      std::to_string(letters) + " Empfänger)";
    // Saved as PDF, the letters run once more into the PDF writer, as the
    // batch tool writes them.
    merge::TMergeRun* owner = run.get();
    recorder->OnExportToFilter = [owner](report::TQRExportFilter* filter) { owner->ExportToFilter(filter); };
    // The previous merge goes with its preview: no window outlives its pages.
    FMergeRun = std::move(run);
    OpenPreviewBesideLetter(recorder);
}

} // namespace zt::letter
