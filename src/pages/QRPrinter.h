#pragma once
// The report engine's output device. A run opens a document, starts every
// page with NewPage, draws on Canvas in device pixels converted from 0.1 mm by
// XPos/YPos/XSize/YSize, and closes the document. With destination
// qrdMetafile each page is recorded at the screen's resolution into the page
// store; with qrdPrinter the pages inside the page range go straight to the
// printer at its resolution, and the others are laid out on scratch pages
// that are thrown away. The recorder posts progress (WM_USER + 0) and
// page-available (WM_USER + 1) notices to its client window, and asks its
// master (the report) to print (WM_USER + 2) or tells it that the preview
// has closed (WM_USER + 4).

#include "pages/QRPageList.h"
#include "pages/QRPrinterSettings.h"
#include "platform/gdi/Canvas.h"
#include "platform/gdi/EmfRecorder.h"
#include "platform/messages/MessageQueue.h"
#include "platform/printing/Printer.h"
#include "base/QRMath.h"
#include "base/QRTypes.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zt::report {
class TQRExportFilter;
}

namespace zt::pages {

class TQRPrinterMaster;

// Device pixels per 0.1 mm at 96 pixels per inch, as the engine writes it.
inline constexpr long double kDefaultFactor = 0.37795L;

inline constexpr platform::MessageId kProgressNotice = platform::WM_USER + 0;
inline constexpr platform::MessageId kPageAvailableNotice = platform::WM_USER + 1;
inline constexpr platform::MessageId kPrintRequest = platform::WM_USER + 2;
inline constexpr platform::MessageId kPreviewClosedNotice = platform::WM_USER + 4;

// A window held by handle, so one that has gone away is simply absent.
class TWindowRef {
public:
    void Set(platform::MessageTarget* window);
    platform::MessageTarget* Get() const;
    bool Assigned() const { return handle_ != 0; }
    platform::TargetHandle Handle() const { return handle_; }

private:
    platform::MessageTarget* window_ = nullptr;
    platform::TargetHandle handle_ = 0;
};

class TQRPrinter {
public:
    using TQRNotify = std::function<void(TQRPrinter* sender)>;
    using TQRExportToFilterEvent = std::function<void(report::TQRExportFilter* aFilter)>;

    // `master`: the report or composite report that runs into this
    // recorder, or none.
    explicit TQRPrinter(TQRPrinterMaster* master);
    ~TQRPrinter();
    TQRPrinter(const TQRPrinter&) = delete;
    TQRPrinter& operator=(const TQRPrinter&) = delete;

    // The document cycle.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    void AbortDoc();
    // The page being drawn; none outside a page.
    platform::gdi::EmfRecorder* Canvas() const { return FCanvas; }
    // The page with a current font, pen and brush; draws nothing outside a page.
    platform::gdi::TCanvas& PageCanvas() { return FPageCanvas; }

    int XPos(report::Native value) const;
    int YPos(report::Native value) const;
    int XSize(report::Native value) const;
    int YSize(report::Native value) const;
    // The paper as oriented, 0.1 mm.
    report::Native PaperWidthValue() const;
    report::Native PaperLengthValue() const;

    int Progress() const { return FProgress; }
    void SetProgress(int value);
    void Cancel() { FCancelled = true; }
    bool Cancelled() const { return FCancelled; }

    // A new metafile of page `value`, or none (also while it is being drawn).
    std::unique_ptr<platform::gdi::TMetafile> GetPage(int value);

    void Preview();
    void PreviewModal();
    void ClosePreview(platform::MessageTarget* control);
    // Plays the recorded pages to the printer.
    void Print();
    void PrintSetup();
    void ExportToFilter(report::TQRExportFilter* aFilter);

    void Load(const std::string& filename);
    void LoadFromStream(platform::TStream& inStream);
    void Save(const std::string& filename);
    void Cleanup();

    // Chooses a printer of the private printer object (-1: the system
    // default) and reads its settings from the driver's defaults.
    void SetPrinterIndex(int index);
    int PrinterIndex() const { return aPrinter->PrinterIndex(); }
    const std::vector<platform::printing::PrinterInfo>& Printers() const { return aPrinter->Printers(); }
    platform::printing::TPrinter& SystemPrinter() const { return *aPrinter; }

    TQRPrinterMaster* ParentReport() const { return FParentReport; }
    TQRPageList& PageList() const { return *FPageList; }
    TPrinterSettings& PrinterSettings() const { return *aPrinterSettings; }
    bool PrinterOK() const { return FPrinterOK; }
    report::TQRPrinterStatus Status() const { return FStatus; }
    int PageCount() const { return FPageCount; }
    int PageNumber() const { return FPageNumber; }
    int AvailablePages() const { return FAvailablePages; }
    long double XFactor() const { return FXFactor; }
    long double YFactor() const { return FYFactor; }
    int LeftWaste() const { return FLeftWaste; }
    int TopWaste() const { return FTopWaste; }
    bool ShowingPreview() const { return FShowingPreview; }
    void SetShowingPreview(bool value);
    platform::MessageTarget* PreviewControl() const { return FPreviewControl.Get(); }

    platform::MessageTarget* Client() const { return FClient.Get(); }
    void SetClient(platform::MessageTarget* window) { FClient.Set(window); }
    platform::MessageTarget* Master() const { return FMaster.Get(); }
    void SetMaster(platform::MessageTarget* window) { FMaster.Set(window); }

    report::TQRPrinterDestination Destination = report::TQRPrinterDestination::qrdMetafile;
    int FirstPage = 0;      // 0: no bound
    int LastPage = 0;
    std::string Title;
    bool ReportLoaded = false;
    int MasterProgressStart = 0, MasterProgressEnd = 0;
    TQRNotify AfterPrint, AfterPreview, OnPreview, OnPrintSetup;
    TQRExportToFilterEvent OnExportToFilter;

    bool Compression() const { return FPageList->Compression(); }
    void SetCompression(bool value) { FPageList->SetCompression(value); }

    // Pass-throughs to the printer settings.
    int Copies() const { return aPrinterSettings->Copies(); }
    void SetCopies(int v) { aPrinterSettings->SetCopies(v); }
    bool Duplex() const { return aPrinterSettings->Duplex(); }
    void SetDuplex(bool v) { aPrinterSettings->SetDuplex(v); }
    report::TPrinterOrientation Orientation() const { return aPrinterSettings->Orientation(); }
    void SetOrientation(report::TPrinterOrientation v) { aPrinterSettings->SetOrientation(v); }
    report::TQRBin OutputBin() const { return aPrinterSettings->OutputBin(); }
    void SetOutputBin(report::TQRBin v) { aPrinterSettings->SetOutputBin(v); }
    report::TQRPaperSize PaperSize() const { return aPrinterSettings->PaperSize(); }
    void SetPaperSize(report::TQRPaperSize v) { aPrinterSettings->SetPaperSize(v); }
    int PaperWidth() const { return aPrinterSettings->PaperWidth(); }
    void SetPaperWidth(int v) { aPrinterSettings->SetPaperWidth(v); }
    int PaperLength() const { return aPrinterSettings->PaperLength(); }
    void SetPaperLength(int v) { aPrinterSettings->SetPaperLength(v); }

private:
    // The paper's width (across) or length in tenths of a millimetre.
    report::Native paperSide(bool across) const;
    bool inRange(int page) const;
    void finishPage();
    void openPage();
    void openScratchPage();
    void pageAvailable();
    void post(const TWindowRef& to, platform::MessageId id, std::uintptr_t wParam);
    void afterLoad();
    void detectPaper(const platform::gdi::TMetafile& page);
    void playPages(int first, int last, bool showsProgress);
    platform::gdi::EmfRect sheetRect() const;

    platform::printing::TPrinter* aPrinter = nullptr;
    std::unique_ptr<platform::printing::TPrinter> FOwnPrinter;
    TQRPrinterMaster* FParentReport = nullptr;
    TQRStream* aStream = nullptr;
    int FAvailablePages = 0;
    bool FCancelled = false;
    platform::gdi::EmfRecorder* FCanvas = nullptr;
    platform::gdi::TCanvas FPageCanvas;
    std::optional<platform::gdi::EmfRecorder> FMetafile;
    int FLeftWaste = 0, FTopWaste = 0;
    TWindowRef FClient, FMaster, FPreviewControl;
    int FPageCount = 0;
    int FPageNumber = 0;
    bool FPrinterOK = false;
    int FProgress = 0;
    bool FShowingPreview = false;
    report::TQRPrinterStatus FStatus = report::TQRPrinterStatus::mpReady;
    long double FXFactor = kDefaultFactor, FYFactor = kDefaultFactor;
    std::unique_ptr<TQRPageList> FPageList;
    std::unique_ptr<TPrinterSettings> aPrinterSettings;
};

// Set when a saved report file has been loaded into a recorder; cleared
// when a report is created. From then on a preview plays recorded pages to
// the printer and its printer setup leaves the report's settings alone.
bool SavedReportLoaded();
void SetSavedReportLoaded(bool value);

} // namespace zt::pages
