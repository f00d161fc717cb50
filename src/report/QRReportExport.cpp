// The export run: the report runs once more on a recorder of its own while a
// filter receives what the run lays out. The recorder and the attachment are
// undone whatever happens in the run.

#include "report/QRReport.h"

#include "pages/QRPreviewInterface.h"
#include "pages/QRPrinter.h"
#include "report/QRComposite.h"
#include "report/QRExportFilter.h"

namespace zt::report {

void TCustomBandoriaRep::exportRun(TQRExportFilter* aFilter, const std::function<void()>& run)
{
    SetZoom(100);
    bool handled = false;
    if (OnExport)
        OnExport(this, handled);
    if (handled || aFilter == nullptr)
        return;
    ExportFilter = aFilter;
    Exporting = true;
    aFilter->SetOwner(this);
    aFilter->SetOriginalQRPrinter(QRPrinter);
    FinalPass = false;
    const auto detach = [&] {
        ExportFilter = nullptr;
        Exporting = false;
        FinalPass = true;
    };
    try {
        run();
    } catch (...) {
        detach();
        throw;
    }
    detach();
}

void TCustomBandoriaRep::ExportToFilter(TQRExportFilter* aFilter)
{
    if (!Available)
        return;
    exportRun(aFilter, [&] {
        // The recorder of the preview (or of the last Prepare) stays as it is.
        std::unique_ptr<TQRPrinter> remembered = std::move(FPageRecorder);
        TQRPrinter* rememberedPtr = QRPrinter;
        std::unique_ptr<pages::TQRProgressWindow> progress;
        const auto restore = [&] {
            if (progress)
                progress->Hide();
            progress.reset();
            FPageRecorder.reset();
            FPageRecorder = std::move(remembered);
            QRPrinter = rememberedPtr;
        };
        try {
            FPageRecorder = newPageRecorder(TQRPrinterDestination::qrdMetafile);
            QRPrinter = FPageRecorder.get();
            if (ShowProgress) {
                progress = pages::CreateProgressForm(QRPrinter);
                if (progress) {
                    progress->SetCaption("Export Progress");
                    QRPrinter->SetClient(&progress->Window());
                    progress->Show();
                }
            }
            RunReport(false);
        } catch (...) {
            restore();
            throw;
        }
        restore();
    });
}

void TCustomBandoriaRep::ExportComposite(TQRExportFilter* aFilter, TQRPrinter* recorder)
{
    if (!Available || recorder == nullptr)
        return;
    exportRun(aFilter, [&] {
        TQRPrinter* own = QRPrinter;
        QRPrinter = recorder;
        try {
            RunReport(true);
        } catch (...) {
            QRPrinter = own;
            throw;
        }
        QRPrinter = own;
    });
}

} // namespace zt::report
