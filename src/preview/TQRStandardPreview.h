#pragma once
// The standard preview window: toolbar, page view, thumbnails and search
// results, status bar. It neither owns nor frees its recorder; closing it
// tells the recorder, whose report then frees it.

#include "preview/TQRPreview.h"
#include "base/QRTypes.h"

#include <QMainWindow>
#include <QPointer>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QGroupBox;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace zt::report {
class TCustomBandoriaRep;
class TQRPreviewController;
}

namespace zt::preview {

using namespace zt::pages;

class TQRThumbGrid;

using report::TStandPrevEventType;

// The extension a save type stands for (".PDF" for stPDF).
std::string SaveTypeExtension(report::TPrevSaveType type);

class TQRStandardPreview : public QMainWindow {
    Q_OBJECT
public:
    explicit TQRStandardPreview(TQRPrinter* printer, QWidget* parent = nullptr);
    ~TQRStandardPreview() override;

    TQRPrinter* QRPrinterOf() const { return QRPreview->QRPrinter(); }
    // Places the window by its outer bounds, frame included, as the screen
    // rules give them. The frame is known once the window manager has
    // framed the window; until then the bounds are the client area's.
    void PlaceWindow(const QRect& outer);
    report::TCustomBandoriaRep* PreviewedReport() const { return FReport; }
    // True while the window prints, saves or its recorder still records:
    // the pages and the report behind them are in use, and the event loop
    // runs meanwhile, so no command may replace or free them.
    bool Working() const;

    // Navigation and zoom, as the buttons, keys and menu run them.
    void SelectPage(int n);
    void FirstPageClick() { SelectPage(1); }
    void PreviousPageClick() { SelectPage(QRPreview->PageNumber() - 1); }
    void NextPageClick() { SelectPage(QRPreview->PageNumber() + 1); }
    void LastPageClick();
    void GotoPageClick();
    void ZoomFitClick();
    void ZoomToWidthClick();
    void Zoom100Click();
    void ZoomMenuClick(const std::string& itemName);
    void ArrowDown();
    void ArrowUp();
    // Handles a key as the window sees it before its controls; true when used.
    bool PreviewKey(int key, Qt::KeyboardModifiers modifiers, QWidget* focus);
    // F10 or Alt alone: into the toolbars at their first command, or back
    // to where the focus was.
    void ToggleToolBarFocus();
    // The toolbars' buttons a key can reach (shown and enabled), in order.
    QList<QWidget*> ToolBarButtons() const;

    // Commands on the pages.
    void PrintClick();
    void PrintSetupClick();
    void CopyClick();
    void CancelClick();
    void SaveReportClick();
    void LoadReportClick();
    void FindClick();
    // Runs a search as the dialog's "Suchen" does.
    void RunSearch(const std::string& text, bool matchCase);
    void SearchResultClick(int item);

    // The progress panel, as the page view reports it.
    void ProgressUpdate(int progress);
    void PageAvailable(int pageNum);
    void WriteStatus();
    std::string PanelText(int panel) const;

    TQRPreview* QRPreview = nullptr;
    QAction* ZoomFit = nullptr;
    QAction* ZoomToWidth = nullptr;
    QAction* Zoom100 = nullptr;
    QToolButton* ZoomPickButton = nullptr;
    QAction* FirstPage = nullptr;
    QAction* PreviousPage = nullptr;
    QAction* nextPage = nullptr;
    QAction* LastPage = nullptr;
    QAction* GotoPageButton = nullptr;
    QAction* FindButton = nullptr;
    QAction* copybutton = nullptr;
    QAction* PrintSetup = nullptr;
    QAction* Print = nullptr;
    QAction* LoadReport = nullptr;
    QAction* SaveReport = nullptr;
    QAction* CancelButton = nullptr;
    QToolButton* ExitButton = nullptr;
    // The view's commands (zoom, paging, search) and the pages' commands; on
    // a window too narrow for both side by side the second takes a row of its own.
    QToolBar* ToolBar1 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QMenu* Zoommenu = nullptr;
    QTabWidget* Tabs = nullptr;
    QWidget* TabThumbs = nullptr;
    QWidget* TabSearchResult = nullptr;
    TQRThumbGrid* ThumbGrid = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* SearchTextLabel = nullptr;
    QListWidget* SearchResultBox = nullptr;

    bool ShowThumbs = true;
    bool ShowSearch = true;
    report::TQRZoomState InitZoom = report::TQRZoomState::qrZoomToFit;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void createToolBar();
    void fitToolBars();
    // Moves along the toolbars, presses or leaves them; true when used.
    bool toolBarKey(int key, Qt::KeyboardModifiers modifiers, QWidget* focus);
    // Drops the tabs the report does not offer: a hidden page must neither
    // take the focus nor be announced as having it.
    void dropHiddenTabs();
    void takeSettings(TQRPrinter* printer);
    void takeReportSettings(const report::TCustomBandoriaRep& r);
    void takeControllerSettings(const report::TQRPreviewController& c);
    struct TWindowPlace;
    void applyPlace(const TWindowPlace& place);
    void setPageButtons(bool enabled);
    bool hook(TStandPrevEventType type, const char* name);
    // Writes the pages as `extension` (QRP, PDF or a filter's); a failure
    // or nothing written goes to the error box.
    void saveAs(TQRPrinter& p, const std::string& name, const std::string& extension, bool recordedPdf);
    void exportTo(const std::string& fileName, const std::string& extension);
    void applyRequestedOuter();
    void recorderGone();

    report::TCustomBandoriaRep* FReport = nullptr;
    report::TPrinterOrientation FReportOrientation = report::TPrinterOrientation::poPortrait;
    std::string FTitle;
    int FLastProgress = 0;
    int FOtherZoom = 100;
    bool FSearching = false;
    bool FGridGuard = false;
    std::vector<int> FSearchPages;
    QLabel* FPanels[4] = {};
    QAction* FZoomPickAction = nullptr;
    std::optional<QRect> FRequestedOuter;
    int FFrameTries = 0;
    // Alt pressed with no other key yet: its release goes to the toolbars.
    bool FAltAlone = false;
    QPointer<QWidget> FFocusBeforeToolBar;
    bool FRecorderGone = false;
    // Prints and saves in progress (one may start another through a dialog).
    int FWorking = 0;
    friend class TPreviewWork;
};

// The preview windows there are (shown or not), as top-level windows.
std::vector<TQRStandardPreview*> OpenPreviews();
// Whether any preview window is working (see TQRStandardPreview::Working).
bool AnyPreviewWorking();

// Opens the standard window on a recorder without a report (a saved report
// file) at the outer bounds `outer`, zoomed to fit.
TQRStandardPreview* OpenPlacedPreview(TQRPrinter* printer, const QRect& outer);

// Registers the standard preview window and the progress form with the
// engine, so reports open them.
void RegisterStandardPreview();

} // namespace zt::preview
