// The report's operations: each runs the whole report on a fresh page
// recorder wired for its purpose, what the recorder asks of the report and
// the notices it sends back.

#include "report/QRReport.h"
#include "report/QRComposite.h"

#include "pages/QRPreviewInterface.h"
#include "pages/QRPrinter.h"
#include "report/QRPrinterSetup.h"

#include <thread>

namespace zt::report {

using pages::TQRPrinter;

// The report's window for the recorder's notices.
class TQRReportWindow : public platform::MessageTarget {
public:
    explicit TQRReportWindow(TCustomBandoriaRep& report) : report_(report) {}
    std::intptr_t handleMessage(const platform::Message& message) override { return report_.handleNotice(message); }

private:
    TCustomBandoriaRep& report_;
};

std::unique_ptr<platform::MessageTarget> MakeReportWindow(TCustomBandoriaRep& report)
{
    return std::make_unique<TQRReportWindow>(report);
}

std::intptr_t TCustomBandoriaRep::handleNotice(const platform::Message& message)
{
    switch (message.id) {
    case pages::kPageAvailableNotice:
        if (message.wParam == 1)
            Invalidate();
        return 0;
    case pages::kPrintRequest:
        Print();
        return 0;
    case pages::kPreviewClosedNotice:
        previewClosed(reinterpret_cast<TQRPrinter*>(message.lParam));
        return 0;
    default:
        return 0;
    }
}

TCustomBandoriaRep::TRecorderWishes TCustomBandoriaRep::RecorderWishes() const
{
    return {FPrinterSettings->UseStandardprinter, FPrinterSettings->MemoryLimit};
}

std::optional<TCustomBandoriaRep::TSheetSize> TCustomBandoriaRep::RecordedSheet() const
{
    return TSheetSize{FPage->Value(TQRPage::iWidth), FPage->Value(TQRPage::iLength)};
}

void TCustomBandoriaRep::RecordedPagesPrinted()
{
    if (AfterPrint)
        AfterPrint(this);
    PrinterSettings().FirstPage = 0;
    PrinterSettings().LastPage = 0;
}

void TCustomBandoriaRep::previewClosed(TQRPrinter* printer)
{
    if (!Available) {
        Cancel();
        return;
    }
    if (QRPrinter == nullptr || (printer != nullptr && printer != QRPrinter))
        return;
    if (QRPrinter->ShowingPreview())
        QRPrinter->SetShowingPreview(false);
    dropPageRecorder();
}

std::unique_ptr<TQRPrinter> TCustomBandoriaRep::newPageRecorder(TQRPrinterDestination destination)
{
    if (!Available)
        return nullptr;
    auto printer = std::make_unique<TQRPrinter>(this);
    if (QRPrinter != nullptr)
        printer->SetClient(QRPrinter->Client());
    printer->AfterPreview = [this](TQRPrinter*) {
        if (AfterPreview)
            AfterPreview(this);
    };
    printer->AfterPrint = [this](TQRPrinter*) {
        if (AfterPrint)
            AfterPrint(this);
    };
    printer->Destination = destination;
    printer->SetMaster(FWindow.get());
    printer->OnPrintSetup = [this](TQRPrinter*) { PrinterSetup(); };
    // The preview's save through a filter runs the report once more.
    printer->OnExportToFilter = [this](TQRExportFilter* aFilter) { ExportToFilter(aFilter); };
    if (OnPreview)
        printer->OnPreview = [this](TQRPrinter*) { OnPreview(this); };
    printer->Title = ReportTitle();
    return printer;
}

void TCustomBandoriaRep::installPageRecorder(std::unique_ptr<TQRPrinter> printer)
{
    // The old recorder goes first, so its windows let go of it.
    FPageRecorder.reset();
    FPageRecorder = std::move(printer);
    QRPrinter = FPageRecorder.get();
}

void TCustomBandoriaRep::dropPageRecorder()
{
    QRPrinter = nullptr;
    FPageRecorder.reset();
}

void TCustomBandoriaRep::Prepare()
{
    auto printer = newPageRecorder(TQRPrinterDestination::qrdMetafile);
    if (!printer)
        return;
    installPageRecorder(std::move(printer));
    RunReport(false);
    QRPrinter->ReportLoaded = true;
}

int TCustomBandoriaRep::CountPages()
{
    if (!Available)
        return 0;
    std::unique_ptr<TQRPrinter> remembered = std::move(FPageRecorder);
    TQRPrinter* rememberedPtr = QRPrinter;
    const auto restore = [&] {
        FinalPass = true;
        FPageRecorder.reset();
        FPageRecorder = std::move(remembered);
        QRPrinter = rememberedPtr;
    };
    int pages = 0;
    try {
        FPageRecorder = newPageRecorder(TQRPrinterDestination::qrdMetafile);
        QRPrinter = FPageRecorder.get();
        // Not the final pass: bands, labels and shapes lay out and break
        // pages as they would, but draw nothing.
        FinalPass = false;
        RunReport(false);
        pages = PageNumber;
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return pages;
}

void TCustomBandoriaRep::Print()
{
    // A report of a chain prints as the chain: one job, every report in it.
    if (CompositeReport != nullptr) {
        CompositeReport->Print();
        return;
    }
    auto printer = newPageRecorder(TQRPrinterDestination::qrdPrinter);
    if (!printer || !printer->PrinterOK())
        return;
    std::unique_ptr<TQRPrinter> remembered = std::move(FPageRecorder);
    TQRPrinter* rememberedPtr = QRPrinter;
    FPageRecorder = std::move(printer);
    QRPrinter = FPageRecorder.get();
    std::unique_ptr<pages::TQRProgressWindow> progress;
    if (ShowProgress) {
        progress = pages::CreateProgressForm(QRPrinter);
        if (progress) {
            QRPrinter->SetClient(&progress->Window());
            progress->Show();
        }
    }
    const auto restore = [&] {
        FPageRecorder.reset();
        FPageRecorder = std::move(remembered);
        QRPrinter = rememberedPtr;
        PrinterSettings().FirstPage = 0;
        PrinterSettings().LastPage = 0;
        progress.reset();
    };
    try {
        RunReport(false);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

TQRPrinter* TCustomBandoriaRep::startPreviewRecorder()
{
    auto fresh = newPageRecorder(TQRPrinterDestination::qrdMetafile);
    if (!fresh)
        return nullptr;
    installPageRecorder(std::move(fresh));
    // The preview's settings are handed over once more before its window opens.
    TransferPrinterSettings(*this, *QRPrinter);
    return QRPrinter;
}

void TCustomBandoriaRep::Preview()
{
    if (QRPrinter != nullptr && QRPrinter->ShowingPreview())
        return;
    if (BeforePreview)
        BeforePreview(this);
    platform::messageQueue().processMessages();
    if (CreateInBGThread) {
        runInBackground(TQRPrinterDestination::qrdMetafile, false);
        return;
    }
    TQRPrinter* printer = startPreviewRecorder();
    if (printer == nullptr)
        return;
    printer->Preview();
    try {
        RunReport(false);
    } catch (...) {
        // The recorder goes and its window with it (a window without its
        // recorder would offer dead commands); the error goes on to the
        // caller's error box.
        if (QRPrinter == printer) {
            if (printer->ShowingPreview())
                printer->SetShowingPreview(false);
            dropPageRecorder();
        }
        throw;
    }
    if (QRPrinter != printer)
        return;
    printer->ReportLoaded = true;
    if (OnPreviewShowing)
        OnPreviewShowing(this);
    if (Cancelled) {
        dropPageRecorder();
        return;
    }
    while (QRPrinter == printer && printer->ShowingPreview())
        if (!platform::messageQueue().waitMessages())
            break;
}

void TCustomBandoriaRep::PreviewModal()
{
    if (BeforePreview)
        BeforePreview(this);
    if (CreateInBGThread) {
        runInBackground(TQRPrinterDestination::qrdMetafile, true);
        return;
    }
    TQRPrinter* printer = startPreviewRecorder();
    if (printer == nullptr)
        return;
    RunReport(false);
    if (QRPrinter != printer)
        return;
    printer->ReportLoaded = true;
    if (OnPreviewShowing)
        OnPreviewShowing(this);
    if (Cancelled)
        dropPageRecorder();
    else
        printer->PreviewModal();
}

void TCustomBandoriaRep::PreviewModeless()
{
    runInBackground(TQRPrinterDestination::qrdMetafile, false);
}

void TCustomBandoriaRep::PrintBackground()
{
    runInBackground(TQRPrinterDestination::qrdPrinter, false);
}

void TCustomBandoriaRep::runInBackground(TQRPrinterDestination destination, bool modal)
{
    auto fresh = newPageRecorder(destination);
    if (!fresh || (destination == TQRPrinterDestination::qrdPrinter && !fresh->PrinterOK()))
        return;
    joinWorker();
    installPageRecorder(std::move(fresh));
    TQRPrinter* printer = QRPrinter;
    // The report is busy from now on, so no other operation starts meanwhile.
    Available = false;
    FWorker = std::thread([this, printer] {
        FInWorker = true;
        try {
            runClaimed(false);
        } catch (...) {
            Available = true;
        }
        FInWorker = false;
        if (Cancelled && QRPrinter == printer)
            printer->Cancel();
    });
    if (destination == TQRPrinterDestination::qrdMetafile) {
        if (modal)
            printer->PreviewModal();
        else
            printer->Preview();
    }
}

void TCustomBandoriaRep::joinWorker()
{
    if (FWorker.joinable())
        FWorker.join();
}

void TCustomBandoriaRep::Cancel()
{
    if (Available)
        return;
    Cancelled = true;
    if (QRPrinter != nullptr)
        QRPrinter->Cancel();
}

} // namespace zt::report
