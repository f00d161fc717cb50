#include "pages/QRPrinter.h"

#include "pages/QRPreviewInterface.h"
#include "pages/QRPrinterMaster.h"
#include "pages/QRStream.h"
#include "base/QRError.h"
#include "base/QRPaper.h"

namespace zt::pages {

using platform::gdi::EmfRecorder;
using platform::gdi::RefDevice;
using report::Native;
using report::Round;
using report::TQRPaperSize;
using report::TQRPrinterDestination;
using report::TQRPrinterStatus;

namespace {

constexpr long double screenFactor()
{
    return static_cast<long double>(platform::gdi::kScreenPixelsPerInch) / 254.0L;
}

long double printerFactor(int pixelsPerInch)
{
    return static_cast<long double>(pixelsPerInch) / 254.0L;
}

} // namespace

void TWindowRef::Set(platform::MessageTarget* window)
{
    window_ = window;
    handle_ = window != nullptr ? window->handle() : 0;
}

platform::MessageTarget* TWindowRef::Get() const
{
    return handle_ != 0 && platform::isTargetAlive(handle_) ? window_ : nullptr;
}

TQRPrinter::TQRPrinter(TQRPrinterMaster* master)
    : FParentReport(master), FPageList(std::make_unique<TQRPageList>()),
      aPrinterSettings(std::make_unique<TPrinterSettings>())
{
    namespace pp = platform::printing;
    FPrinterOK = !pp::Printer().Printers().empty();
    if (master != nullptr) {
        const TQRPrinterMaster::TRecorderWishes wishes = master->RecorderWishes();
        aPrinterSettings->UseStandardPrinter = wishes.UseStandardPrinter;
        aPrinterSettings->MemoryLimit = wishes.MemoryLimit;
    }
    if (aPrinterSettings->UseStandardPrinter) {
        aPrinter = &pp::Printer();
    } else {
        FOwnPrinter = std::make_unique<pp::TPrinter>();
        aPrinter = FOwnPrinter.get();
    }
    if (FPrinterOK)
        aPrinterSettings->SetPrinter(aPrinter);
    FTopWaste = aPrinterSettings->TopOffset();
    FLeftWaste = aPrinterSettings->LeftOffset();
}

TQRPrinter::~TQRPrinter()
{
    // A direct print that never ended must not keep a shared printer busy.
    if (FStatus == TQRPrinterStatus::mpBusy && Destination == TQRPrinterDestination::qrdPrinter &&
        aPrinter->Printing()) {
        try {
            aPrinter->Abort();
        } catch (...) {
        }
    }
    if (FStatus != TQRPrinterStatus::mpReady)
        Cleanup();
    if (auto* client = dynamic_cast<TQRPrinterClient*>(FClient.Get()))
        client->DetachPrinter(this);
}

// --- conversions -----------------------------------------------------------

int TQRPrinter::XPos(Native value) const
{
    return static_cast<int>(Round((value - FLeftWaste) * FXFactor));
}

int TQRPrinter::YPos(Native value) const
{
    return static_cast<int>(Round((value - FTopWaste) * FYFactor));
}

int TQRPrinter::XSize(Native value) const
{
    return static_cast<int>(Round(value * FXFactor));
}

int TQRPrinter::YSize(Native value) const
{
    return static_cast<int>(Round(value * FYFactor));
}

Native TQRPrinter::paperSide(bool across) const
{
    // The side asked for alone: the page's room is asked for every line.
    if (const auto dims = report::PaperDimensions(PaperSize()))
        return static_cast<Native>(Round((across ? dims->Width : dims->Length) * 10));
    return across ? PaperWidth() : PaperLength();
}

Native TQRPrinter::PaperWidthValue() const
{
    return paperSide(Orientation() != report::TPrinterOrientation::poLandscape);
}

Native TQRPrinter::PaperLengthValue() const
{
    return paperSide(Orientation() == report::TPrinterOrientation::poLandscape);
}

// --- document cycle --------------------------------------------------------

void TQRPrinter::BeginDoc()
{
    FMetafile.reset();
    FCanvas = nullptr;
    FPageCanvas.Bind(nullptr);
    FAvailablePages = 0;
    MasterProgressStart = 0;
    MasterProgressEnd = 0;
    FCancelled = false;
    const bool toPrinter = Destination == TQRPrinterDestination::qrdPrinter;
    if (toPrinter)
        aPrinterSettings->ApplySettings();
    FTopWaste = toPrinter ? aPrinterSettings->TopOffset() : 0;
    FLeftWaste = toPrinter ? aPrinterSettings->LeftOffset() : 0;
    if (FStatus != TQRPrinterStatus::mpReady)
        report::raiseQRError(report::ErrorKind::InternalFault, report::qrmsg::PrinterNotReady);
    FPageNumber = 0;
    FPageCount = 0;
    FStatus = TQRPrinterStatus::mpBusy;
    if (!toPrinter) {
        FPageList->SetStream(TQRStream::Create(aPrinterSettings->MemoryLimit));
        aStream = FPageList->Stream();
        FXFactor = FYFactor = screenFactor();
    } else {
        FXFactor = printerFactor(aPrinterSettings->PixelsPerX());
        FYFactor = printerFactor(aPrinterSettings->PixelsPerY());
        if (FXFactor < 0.1L)
            FXFactor = kDefaultFactor;
        if (FYFactor < 0.1L)
            FYFactor = kDefaultFactor;
    }
}

bool TQRPrinter::inRange(int page) const
{
    return (FirstPage <= 0 || page >= FirstPage) && (LastPage <= 0 || page <= LastPage);
}

void TQRPrinter::NewPage()
{
    if (FStatus != TQRPrinterStatus::mpBusy)
        report::raiseQRError(report::ErrorKind::InternalFault, report::qrmsg::InvalidNewPage);
    if (FPageNumber > 0) {
        finishPage();
        pageAvailable();
    }
    ++FPageCount;
    ++FPageNumber;
    openPage();
}

void TQRPrinter::finishPage()
{
    FCanvas = nullptr;
    FPageCanvas.Bind(nullptr);
    if (Destination == TQRPrinterDestination::qrdMetafile) {
        if (FMetafile) {
            const auto page = FMetafile->Finish();
            FMetafile.reset();
            FPageList->AddPage(page);
        }
    } else if (inRange(FPageCount)) {
        if (aPrinter->Printing() && FPageCount != LastPage)
            aPrinter->NewPage();
    } else {
        FMetafile.reset();
    }
}

void TQRPrinter::openScratchPage()
{
    FXFactor = FYFactor = screenFactor();
    FMetafile.emplace(EmfRecorder::forPage(RefDevice::screen(), XSize(PaperWidthValue()), YSize(PaperLengthValue())));
    FCanvas = &*FMetafile;
    FPageCanvas.Bind(FCanvas);
}

void TQRPrinter::openPage()
{
    if (Destination == TQRPrinterDestination::qrdMetafile || !inRange(FPageCount)) {
        openScratchPage();
        return;
    }
    // The previous page in range has already moved the job to this page.
    if (!aPrinter->Printing()) {
        aPrinter->Title = Title;
        aPrinter->BeginDoc();
    }
    FCanvas = &aPrinter->Canvas();
    FPageCanvas.Bind(FCanvas);
    FXFactor = printerFactor(aPrinterSettings->PixelsPerX());
    FYFactor = printerFactor(aPrinterSettings->PixelsPerY());
    if (FYFactor < 0.1L)
        FYFactor = 1.0L;
}

void TQRPrinter::EndDoc()
{
    if (FStatus != TQRPrinterStatus::mpBusy)
        return;
    FCanvas = nullptr;
    FPageCanvas.Bind(nullptr);
    if (Destination == TQRPrinterDestination::qrdPrinter) {
        FMetafile.reset();
        if (aPrinter->Printing()) {
            try {
                aPrinter->EndDoc();
            } catch (...) {
                FStatus = TQRPrinterStatus::mpFinished;
                throw;
            }
        }
    } else if (FPageCount > 0 && FMetafile) {
        const auto page = FMetafile->Finish();
        FMetafile.reset();
        FPageList->AddPage(page);
    }
    FStatus = TQRPrinterStatus::mpFinished;
    pageAvailable();
    platform::messageQueue().processMessages();
    if (Destination == TQRPrinterDestination::qrdMetafile)
        FPageList->Finish();
    else if (AfterPrint)
        AfterPrint(this);
}

void TQRPrinter::AbortDoc()
{
    FCanvas = nullptr;
    FPageCanvas.Bind(nullptr);
    if (Destination == TQRPrinterDestination::qrdPrinter) {
        FMetafile.reset();
        aPrinter->Abort();
    } else if (FMetafile) {
        const auto page = FMetafile->Finish();
        FMetafile.reset();
        if (FParentReport == nullptr || !FParentReport->ExportRunning())
            FPageList->AddPage(page);
    }
    FStatus = TQRPrinterStatus::mpFinished;
}

// --- notices ---------------------------------------------------------------

void TQRPrinter::post(const TWindowRef& to, platform::MessageId id, std::uintptr_t wParam)
{
    if (to.Get() != nullptr)
        platform::messageQueue().post(to.Handle(), {id, wParam, 0});
}

void TQRPrinter::pageAvailable()
{
    ++FAvailablePages;
    post(FClient, kPageAvailableNotice, static_cast<std::uintptr_t>(FAvailablePages));
}

void TQRPrinter::SetProgress(int value)
{
    FProgress = value;
    post(FClient, kProgressNotice, static_cast<std::uintptr_t>(value));
}

std::unique_ptr<platform::gdi::TMetafile> TQRPrinter::GetPage(int value)
{
    if (FStatus == TQRPrinterStatus::mpReady || value < 1 || value > FPageCount)
        return nullptr;
    return FPageList->GetPage(value);
}

// --- printer choice --------------------------------------------------------

void TQRPrinter::SetPrinterIndex(int index)
{
    aPrinter->Refresh();
    const int count = static_cast<int>(aPrinter->Printers().size());
    if (count == 0 || aPrinterSettings->UseStandardPrinter)
        return;
    // A printer that has gone since it was chosen gives way to the default.
    aPrinter->SetPrinterIndex(index >= -1 && index < count ? index : -1);
    aPrinterSettings->SetPrinter(aPrinter);
}

} // namespace zt::pages
