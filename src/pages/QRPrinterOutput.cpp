// The recorder's work after a run: playing the recorded pages to the
// printer, the preview window, saved report files and forgetting the pages.

#include "pages/QRPrinter.h"

#include "pages/QRPreviewInterface.h"
#include "pages/QRPrinterMaster.h"
#include "base/QRPaper.h"

#include <atomic>

namespace zt::pages {

using report::Round;
using report::TPrinterOrientation;
using report::TQRPaperSize;
using report::TQRPrinterStatus;
using report::Trunc;

namespace {

std::atomic<bool> savedReportLoaded{false};

} // namespace

bool SavedReportLoaded()
{
    return savedReportLoaded;
}

void SetSavedReportLoaded(bool value)
{
    savedReportLoaded = value;
}

// --- playback --------------------------------------------------------------

platform::gdi::EmfRect TQRPrinter::sheetRect() const
{
    const auto sheet = FParentReport != nullptr ? FParentReport->RecordedSheet() : std::nullopt;
    if (!sheet)
        return platform::printing::printableRect(aPrinter->Caps());
    // The whole recorded sheet, its corner on the paper's corner, which lies
    // the printer's offsets up and to the left of the device origin.
    const long double px = aPrinterSettings->PixelsPerX() / 254.0L;
    const long double py = aPrinterSettings->PixelsPerY() / 254.0L;
    const long double l = aPrinterSettings->LeftOffset();
    const long double t = aPrinterSettings->TopOffset();
    const long double w = sheet->Width;
    const long double h = sheet->Length;
    return {static_cast<std::int32_t>(-Round(l * px)), static_cast<std::int32_t>(-Round(t * py)),
            static_cast<std::int32_t>(Round((w - l) * px)), static_cast<std::int32_t>(Round((h - t) * py))};
}

void TQRPrinter::playPages(int first, int last, bool showsProgress)
{
    for (int p = first; p <= last; ++p) {
        platform::messageQueue().processMessages();
        if (showsProgress)
            SetProgress(static_cast<int>(
                Round(static_cast<long double>(p - first + 1) / static_cast<long double>(last - first + 1) * 100)));
        if (const auto page = FPageList->GetPage(p))
            aPrinter->Job().DrawSheet(*page, sheetRect());
        if (p < last)
            aPrinter->NewPage();
        if (FCancelled) {
            aPrinter->Abort();
            break;
        }
    }
}

void TQRPrinter::Print()
{
    if (FMaster.Assigned() && !ReportLoaded && !aPrinterSettings->PrintMetafile &&
        FStatus == TQRPrinterStatus::mpFinished) {
        platform::messageQueue().post(FMaster.Handle(), {kPrintRequest, 0, 0});
        return;
    }
    if (FStatus != TQRPrinterStatus::mpFinished || !FPrinterOK)
        return;
    const bool wantProgress = FParentReport != nullptr && FParentReport->ShowsPrintProgress();
    // A range reaching past the recorded pages prints what there is, not blank sheets.
    const int first = std::max(FirstPage > 0 ? FirstPage : 1, 1);
    const int last = std::min(LastPage > 0 ? LastPage : FPageCount, FPageCount);
    if (first > last)
        return;

    std::unique_ptr<TQRProgressWindow> progress;
    // The progress window is the client for the playback only; the preview
    // showing these pages must hear of this recorder's end afterwards.
    const TWindowRef previousClient = FClient;
    auto finish = [&] {
        FClient = previousClient;
        if (aPrinter->Printing())
            aPrinter->EndDoc();
        progress.reset();
    };
    try {
        // A playback cancelled before must not cut this one short.
        FCancelled = false;
        aPrinter->Title = Title;
        if (aPrinter->Printing())
            aPrinter->Abort();
        aPrinterSettings->ApplySettings();
        aPrinter->BeginDoc();
        if (wantProgress) {
            progress = CreateProgressForm(this);
            if (progress) {
                progress->Show();
                SetClient(&progress->Window());
            }
        }
        playPages(first, last, progress != nullptr);
        FirstPage = 0;
        LastPage = 0;
        if (progress)
            progress->Hide();
        if (FParentReport != nullptr)
            FParentReport->RecordedPagesPrinted();
    } catch (...) {
        try {
            finish();
        } catch (...) {
            // The first failure is the one to report.
        }
        throw;
    }
    finish();
}

// --- preview ---------------------------------------------------------------

void TQRPrinter::Preview()
{
    if (OnPreview) {
        OnPreview(this);
        return;
    }
    const auto preview = CreatePreviewInterface();
    FPreviewControl.Set(preview->Show(this));
}

void TQRPrinter::PreviewModal()
{
    if (OnPreview) {
        OnPreview(this);
        return;
    }
    CreatePreviewInterface()->ShowModal(this);
}

void TQRPrinter::SetShowingPreview(bool value)
{
    if (FShowingPreview && !value) {
        if (FStatus == TQRPrinterStatus::mpBusy)
            Cancel();
        if (AfterPreview)
            AfterPreview(this);
    }
    FShowingPreview = value;
}

void TQRPrinter::ClosePreview(platform::MessageTarget*)
{
    SetShowingPreview(false);
    // The report frees this object while handling the notice: nothing may
    // touch it afterwards.
    if (FMaster.Assigned())
        platform::messageQueue().send(FMaster.Handle(),
                                      {kPreviewClosedNotice, 0, reinterpret_cast<std::intptr_t>(this)});
}

void TQRPrinter::PrintSetup()
{
    if (OnPrintSetup)
        OnPrintSetup(this);
}

void TQRPrinter::ExportToFilter(report::TQRExportFilter* aFilter)
{
    if (OnExportToFilter)
        OnExportToFilter(aFilter);
}

// --- saved report files ----------------------------------------------------

void TQRPrinter::Save(const std::string& filename)
{
    if (FStatus == TQRPrinterStatus::mpFinished)
        FPageList->SaveToFile(filename);
}

void TQRPrinter::Load(const std::string& filename)
{
    if (FStatus != TQRPrinterStatus::mpReady)
        Cleanup();
    FPageList->LoadFromFile(filename);
    afterLoad();
}

void TQRPrinter::LoadFromStream(platform::TStream& inStream)
{
    if (FStatus != TQRPrinterStatus::mpReady)
        Cleanup();
    FPageList->LoadFromStream(inStream);
    afterLoad();
}

void TQRPrinter::afterLoad()
{
    FPageCount = FPageList->PageCount();
    FXFactor = FYFactor = static_cast<long double>(platform::gdi::kScreenPixelsPerInch) / 254.0L;
    try {
        if (FPageCount >= 1)
            if (const auto first = FPageList->GetPage(1))
                detectPaper(*first);
    } catch (...) {
        Cleanup();
        throw;
    }
    aStream = FPageList->Stream();
    FStatus = TQRPrinterStatus::mpFinished;
    OnPrintSetup = nullptr;
    OnExportToFilter = nullptr;
    ReportLoaded = true;
    SetSavedReportLoaded(true);
}

void TQRPrinter::detectPaper(const platform::gdi::TMetafile& page)
{
    // The sheet's size in whole steps of 4 mm, against each paper of the
    // table from Letter to ESheet; a later match wins.
    const auto w = Trunc(page.Width() / FXFactor / 40);
    const auto h = Trunc(page.Height() / FXFactor / 40);
    bool matched = false;
    for (int n = 1; n <= static_cast<int>(TQRPaperSize::ESheet); ++n) {
        const auto size = static_cast<TQRPaperSize>(n);
        const auto dims = report::PaperDimensions(size);
        const auto tw = Trunc(dims->Width / 4);
        const auto th = Trunc(dims->Length / 4);
        if (w == tw && h == th) {
            SetPaperSize(size);
            SetOrientation(TPrinterOrientation::poPortrait);
            matched = true;
        }
        if (h == tw && w == th) {
            SetPaperSize(size);
            SetOrientation(TPrinterOrientation::poLandscape);
            matched = true;
        }
    }
    if (!matched)
        SetOrientation(h < w ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait);
}

void TQRPrinter::Cleanup()
{
    if (FStatus == TQRPrinterStatus::mpBusy)
        Cancel();
    FMetafile.reset();
    FCanvas = nullptr;
    FPageCanvas.Bind(nullptr);
    FPageList->SetStream(nullptr);
    aStream = nullptr;
    FPageList->Clear();
    FPageCount = 0;
    FStatus = TQRPrinterStatus::mpReady;
}

} // namespace zt::pages
