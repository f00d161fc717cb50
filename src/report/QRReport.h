#pragma once
// The report: page setup, band list, units and zoom, run state and events.

#include "report/QRBasePanel.h"
#include "report/QRController.h"
#include "report/QRFunctions.h"
#include "report/QRPage.h"
#include "report/QRReferenceDC.h"
#include "report/QRReportPrinterSettings.h"

#include "pages/QRPrinterMaster.h"
#include "platform/messages/MessageQueue.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <string>
#include <vector>

namespace zt::pages {
class TQRPrinter;
}
namespace zt::platform::gdi {
struct EmfRect;
}
namespace zt::report {
class TQRCompositeReport;
}

namespace zt::report {

using pages::TQRPrinter;
class TQRCustomBand;
class TQRExportFilter;
class TQRPrintable;
class TQRDataSet;
class TQRPreviewController;
class TCustomBandoriaRep;

// The report's Bands property: whether a band of a type exists, and
// creating or freeing the first one.
class TBandoriaRepBands {
public:
    explicit TBandoriaRepBands(TCustomBandoriaRep* report) : FReport(report) {}
    bool HasTitle() const { return has(rbTitle); }
    bool HasPageHeader() const { return has(rbPageHeader); }
    bool HasColumnHeader() const { return has(rbColumnHeader); }
    bool HasDetail() const { return has(rbDetail); }
    bool HasPageFooter() const { return has(rbPageFooter); }
    bool HasSummary() const { return has(rbSummary); }
    void SetHasTitle(bool v) { set(rbTitle, v); }
    void SetHasPageHeader(bool v) { set(rbPageHeader, v); }
    void SetHasColumnHeader(bool v) { set(rbColumnHeader, v); }
    void SetHasDetail(bool v) { set(rbDetail, v); }
    void SetHasPageFooter(bool v) { set(rbPageFooter, v); }
    void SetHasSummary(bool v) { set(rbSummary, v); }

private:
    bool has(TQRBandType t) const;
    void set(TQRBandType t, bool v);
    TCustomBandoriaRep* FReport;
};

using TQRReportNotify = std::function<void(TCustomBandoriaRep* sender)>;
using TQRNotify = std::function<void(TQRComponent* sender)>;

class TCustomBandoriaRep : public TQRBasePanel, public pages::TQRPrinterMaster {
public:
    explicit TCustomBandoriaRep(TQRComponent* owner);
    ~TCustomBandoriaRep() override;

    TQRPage& Page() { return *FPage; }
    const TQRPage& Page() const { return *FPage; }
    TBandoriaRepBands& Bands() { return *FBands; }
    TQRCustomController& Controller() { return *FController; }
    const TQRCustomController& Controller() const { return *FController; }
    TBandoriaRepPrinterSettings& PrinterSettings() { return *FPrinterSettings; }
    // The answers of the last confirmed printer setup.
    TBandoriaRepPrinterSettings& UserPrinterSettings() { return *FUserPrinterSettings; }
    TQRFunctionTable& Functions() { return FFunctions; }
    std::vector<std::string>& Description() { return FDescription; }
    const TQRReferenceDC& ReferenceDC() const { return FReferenceDC; }

    TQRUnit Units() const { return FPage->Units(); }
    virtual void SetUnits(TQRUnit value);
    // Values outside 1..300 are ignored.
    void SetZoom(int value) override;

    TBandoriaOptions Options = FirstPageHeader | LastPageFooter;
    bool PrintIfEmpty() const { return FController->PrintIfEmpty; }
    virtual void SetPrintIfEmpty(bool value) { FController->PrintIfEmpty = value; }
    const std::string& ReportTitle() const { return FReportTitle; }
    void SetReportTitle(const std::string& title);
    // What a document written by an export filter tells about itself; a
    // filter takes the fields that are not empty.
    struct TQRDocumentInfo {
        std::string Title, Author, Subject, Creator;
        // Asks a filter that can write an archive document (tagged, for
        // long-term filing) to write one unless its caller chose otherwise.
        bool Archive = false;
    };
    TQRDocumentInfo DocumentInfo;

    TColor BackgroundColor = clWhite;
    std::string BackImageControl;
    bool ShowProgress = true;
    bool SnapToGrid = true;  // read by a design surface only; a run ignores it
    TPrevFormStyle PrevFormStyle = TPrevFormStyle::fsNormal;
    TWindowState PreviewInitialState = TWindowState::wsNormal;
    int PreviewWidth = 500, PreviewHeight = 500, PreviewLeft = 0, PreviewTop = 0;
    bool PrevShowThumbs = true;
    bool PrevShowSearch = true;
    TQRZoomState PrevInitialZoom = TQRZoomState::qrZoomToFit;
    TPrevSaveType PreviewDefaultSaveType = TPrevSaveType::stPDF;
    int PagesInPreview = 0;
    // Replaces the settings above in the standard window; dropped when freed.
    TQRPreviewController* PreviewController = nullptr;
    bool ShowingPreview = false;
    // In a chain, starts this report on a page of its own instead of going
    // on where the report before it left off.
    bool StartNewPageInComposite = false;
    bool CreateInBGThread = false;

    // Run state, kept by the report run.
    bool Available = true;
    bool Cancelled = false;
    bool UserCancel = false;
    bool FLastPage = false;
    // A break taken because a band did not fit; cleared after each band.
    bool OverflowBreak = false;
    int CurrentColumn = 0;
    Native CurrentX = 0, CurrentY = 0, ColumnTopPosition = 0;
    int PageNumber = 0;
    bool FinalPass = true;
    bool Exporting = false;
    TQRExportFilter* ExportFilter = nullptr;
    TQRPrinter* QRPrinter = nullptr;
    TQRState State = TQRState::qrAvailable;
    Native FPageFooterSize = 0;
    bool NoForceNewPage = false, NewColumnForced = false, NewPageForced = false;

    // The report run (one at a time per report; see Available).
    void RunReport(bool composite);
    void NewPage();
    void NewColumn();
    void EndPage();
    // Native height still free above the page footers; 0 without a page.
    int AvailableSpace() const;
    void ResetPageFooterSize();
    // The recorder's paper length (its width in landscape), native units.
    Native UsablePageHeight() const;
    // Prints one band with its children, breaking pages as needed.
    void EmitBand(TQRCustomBand* band);

    // The operations. Each runs the whole report on a fresh recorder; a
    // report that is running ignores them.
    void Prepare();
    // The report's first pass alone: laid out on a recorder of its own that
    // keeps no page, nothing drawn, for the number of pages a run gives (0
    // when the report is running). The recorder of the last Prepare or
    // preview stays as it is.
    int CountPages();
    void Print();
    void Preview();
    void PreviewModal();
    void PreviewModeless();
    void PrintBackground();
    // The report in the XML document viewer with its preview settings
    // (QRXMLViewer.h), modal or not.
    void PreviewXML(bool modal);
    // Runs the report once more with a filter attached, which receives what
    // the run lays out; the caller owns the filter. ExportComposite does the
    // same for one report of a composite, into the composite's recorder.
    void ExportToFilter(TQRExportFilter* aFilter);
    void ExportComposite(TQRExportFilter* aFilter, TQRPrinter* recorder);
    // Stops the run under way.
    void Cancel();
    // What the report's page recorders ask of it.
    TRecorderWishes RecorderWishes() const override;
    bool ExportRunning() const override { return Exporting; }
    std::optional<TSheetSize> RecordedSheet() const override;
    bool ShowsPrintProgress() const override { return ShowProgress; }
    // The report's AfterPrint, and the page range is used up.
    void RecordedPagesPrinted() override;
    // The composite report this one prints in, if any.
    TQRCompositeReport* CompositeReport = nullptr;
    // Whether the run under way is one report of a chain.
    bool InCompositeRun() const { return FComposite; }
    // Before a report's run in a chain: it goes on at the page and place
    // where `previous` left off (none: the chain's first page is still to come).
    void ContinueChain(const TCustomBandoriaRep* previous);
    // The window that receives the recorder's notices to the report.
    platform::MessageTarget& Window() { return *FWindow; }
    // True while the run is on a worker thread, where window messages are
    // left to the interface thread.
    bool InWorker() const { return FInWorker; }

    // Events.
    std::function<void(TCustomBandoriaRep* sender, bool& printReport)> BeforePrint;
    TQRReportNotify OnStartPage;
    TQRReportNotify OnEndPage;
    std::function<void(TQRComponent* sender, bool& moreData)> OnNeedData;
    TQRNotify AfterPrint, AfterPreview, BeforePreview, OnPreview, OnPreviewShowing;
    std::function<void(TCustomBandoriaRep* sender, bool& exportHandled)> OnExport;
    TQRPrinterSettingsEvent OnGetPrinterSettings;
    TQRPrinterSettingsEvent OnApplyPrinterSettings;
    TQRNotify OnPrevXEvent;
    // Told before the standard preview acts; setting `handled` skips the action.
    std::function<void(TQRComponent* sender, TStandPrevEventType eventType, const std::string& contName,
                       bool& handled)>
        OnStandPrevEvent;

    // The data sets on the report's form while a run is under way (the
    // expressions' environment); none outside a run.
    const std::vector<TQRDataSet*>* AllDataSets() const { return FAllDataSets ? &*FAllDataSets : nullptr; }

    // Band list.
    const std::vector<TQRCustomBand*>& BandList() const { return FBandList; }
    TQRCustomBand* CreateBand(TQRBandType type);
    void AddBand(TQRCustomBand* band);
    void RemoveBand(TQRCustomBand* band);
    // The first band of a type in the band list.
    TQRCustomBand* FindBand(TQRBandType type) const;
    // The first child band whose parent band is `band`.
    TQRCustomBand* ChildOf(const TQRCustomBand* band) const;
    int RotateBands() const { return FRotateBands; }
    void SetRotateBands(int value);
    bool HideBands() const { return FHideBands; }
    void SetHideBands(bool value);
    // Sorts the band list and lays the bands out on the design surface.
    void SetBandValues();

    // The print dialog; fills the printer settings when confirmed. Tag is 0
    // afterwards when it was confirmed and 1 when it was cancelled.
    void PrinterSetup();
    // Set by the host: the preview prints at once after a confirmed setup.
    bool PrintAfterSetup = false;

    // Text measuring in the reference context.
    int TextWidth(const TQRFont& font, const std::string& text) const;
    int TextHeight(const TQRFont& font, const std::string& text) const;

    void Modify() { FModified = true; }
    bool Modified() const { return FModified; }
    virtual void AddNotifyClient(TQRPrintable* printable);

    // Printables placed on the report itself, outside every band.
    std::vector<TQRPrintable*> PagePrintables() const;

    // A name made of prefix and the smallest free number in the owner.
    std::string UniqueName(const std::string& prefix) const;

protected:
    void Loaded() override;
    void Notification(TQRComponent* component, TOperation operation) override;
    void BoundsChanged(const TRect& old) override;
    void FontChanged() override;
    // Points the controller at the report's title, detail and summary bands.
    virtual void AssignControllerBands() {}
    void setController(std::unique_ptr<TQRCustomController> c) { FController = std::move(c); }

private:
    friend class TQRReportWindow;
    class RunScope;
    void emitBandAs(TQRCustomBand* band, TQRBandType type);
    void emitChild(TQRCustomBand* parent, TQRBandType parentType, bool before);
    void renderBand(TQRCustomBand* band, TQRBandType type);
    void ensureBandSpace(TQRCustomBand* band, TQRBandType type);
    void printBandRounds(TQRCustomBand* band, Native& startX, Native& startY);
    void drawBandLines(TQRCustomBand* band, const platform::gdi::EmfRect& r);
    TQRPrintable* backgroundImage() const;
    void printPageItems();
    void endPageItems();
    // Attaches the filter, runs, detaches: the export run around `run`.
    void exportRun(TQRExportFilter* aFilter, const std::function<void()>& run);
    int FBreakDepth = 0;
    void bindPrintables(bool begin);
    std::unique_ptr<TQRPrinter> newPageRecorder(TQRPrinterDestination destination);
    void installPageRecorder(std::unique_ptr<TQRPrinter> printer);
    TQRPrinter* startPreviewRecorder();
    void dropPageRecorder();
    void runClaimed(bool composite);
    void runInBackground(TQRPrinterDestination destination, bool modal);
    void joinWorker();
    std::intptr_t handleNotice(const platform::Message& message);
    void previewClosed(TQRPrinter* printer);
    std::thread FWorker;
    std::atomic<bool> FInWorker{false};

    std::unique_ptr<TQRPrinter> FPageRecorder;     // the recorder QRPrinter points at, when owned
    std::unique_ptr<platform::MessageTarget> FWindow;
    bool FComposite = false;
    std::optional<std::vector<TQRDataSet*>> FAllDataSets;

    void sortBands();
    void layoutBands();
    int bandWidth(const TQRCustomBand* band, int fullWidth, int columnWidth) const;
    void zoomControls(TQRControl* parent, int zoom);
    void unitsOfControls(TQRControl* parent, TQRUnit units);

    std::unique_ptr<TBandoriaRepPrinterSettings> FPrinterSettings;
    std::unique_ptr<TBandoriaRepPrinterSettings> FUserPrinterSettings;
    std::unique_ptr<TQRPage> FPage;
    std::unique_ptr<TBandoriaRepBands> FBands;
    std::unique_ptr<TQRCustomController> FController;
    TQRFunctionTable FFunctions;
    std::vector<std::string> FDescription;
    TQRReferenceDC FReferenceDC;
    std::vector<TQRCustomBand*> FBandList;
    std::string FReportTitle;
    int FRotateBands = 0;
    bool FHideBands = false;
    bool FModified = false;
    bool FSorting = false;
    bool FDestroying = false;
};

class TBandoriaRep : public TCustomBandoriaRep {
public:
    explicit TBandoriaRep(TQRComponent* owner);
    TQRDataSet* DataSet() const { return controller().DataSet; }
    void SetDataSet(TQRDataSet* ds) { controller().DataSet = ds; }

protected:
    void AssignControllerBands() override;

private:
    TQRController& controller() const { return static_cast<TQRController&>(const_cast<TBandoriaRep*>(this)->Controller()); }
};

// The report's receiver of its recorders' notices.
std::unique_ptr<platform::MessageTarget> MakeReportWindow(TCustomBandoriaRep& report);

// The paper size of the current printer, as a paper code; 0 when there is no
// printer or it reports none. By default the application-wide printer's;
// an empty function restores that.
void SetPrinterPaperQuery(std::function<int()> query);

} // namespace zt::report
