#include "preview/TQRStandardPreview.h"

#include "pages/QRPrinter.h"
#include "preview/PreviewThumbs.h"
#include "preview/TQRProgressForm.h"
#include "preview/XMLDocumentViewer.h"
#include "platform/dialogs/UserDialogs.h"
#include "report/QRReport.h"
#include "platform/qt/QtText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>
#include <QTimer>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zt::preview {

using namespace zt::pages;

using report::TQRZoomState;

namespace {

using platform::qt::u;

// Bounds asked for by a report or the screen rules that do not fit the
// free area of their screen (a scaled desktop, a smaller screen) are
// fitted into it.
QRect fittedToScreen(const QRect& outer)
{
    const QScreen* screen = QGuiApplication::screenAt(outer.center());
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return outer;
    const QRect area = screen->availableGeometry();
    QRect fitted(outer.topLeft(), outer.size().boundedTo(area.size()));
    fitted.moveLeft(std::clamp(fitted.left(), area.left(), area.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), area.top(), area.bottom() + 1 - fitted.height()));
    return fitted;
}

} // namespace

std::string SaveTypeExtension(report::TPrevSaveType type)
{
    static const char* const ext[] = {".QRP", ".PDF", ".XLS", ".HTML", ".RTF", ".CSV", ".TXT", ".XML", ".XLSX"};
    const auto i = static_cast<std::size_t>(type);
    return i < std::size(ext) ? ext[i] : ".QRP";
}

TQRStandardPreview::TQRStandardPreview(TQRPrinter* printer, QWidget* parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing the letter window ends the program, a preview still open or
    // not (a termination signal at logout closes only the letter window).
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName("QRStandardPreview");
    createControls();
    createToolBar();
    resize(885, 608);
    QRPreview->SetQRPrinter(printer);
    takeSettings(printer);
    printer->SetOrientation(FReportOrientation);
    setWindowTitle(u("Bericht Vorschau : ") + QString::fromStdString(printer->Title));
    ThumbGrid->SetQRPrinter(printer);
    ThumbGrid->SetRowCount(1);
    Tabs->setVisible(ShowThumbs || ShowSearch);
    if (Tabs->isVisible() && printer->PageCount() > 0)
        ThumbGrid->SetRowCount(printer->PageCount());
    dropHiddenTabs();
    FindButton->setVisible(ShowSearch);
    // The page view is laid out before the first zoom, so fitting sees its size.
    QRPreview->resize(centralWidget()->size());
    if (InitZoom == TQRZoomState::qrZoomToFit) {
        QRPreview->ZoomToFit();
        ZoomFit->setChecked(true);
    } else if (InitZoom == TQRZoomState::qrZoomToWidth) {
        QRPreview->ZoomToWidth();
        ZoomToWidth->setChecked(true);
    } else if (InitZoom == TQRZoomState::qrZoom100) {
        QRPreview->Zoom100();
        Zoom100->setChecked(true);
    } else {
        QRPreview->SetZoom(FOtherZoom);
        QRPreview->UpdateZoom();
        Zoom100->setChecked(true);
    }
    if (printer->Status() == report::TQRPrinterStatus::mpFinished)
        PageAvailable(printer->PageCount());
    WriteStatus();
    qApp->installEventFilter(this);
}

TQRStandardPreview::~TQRStandardPreview()
{
    qApp->removeEventFilter(this);
}

void TQRStandardPreview::createControls()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Horizontal, central);
    splitter->setHandleWidth(4);
    Tabs = new QTabWidget(splitter);
    Tabs->setFixedWidth(193);
    TabThumbs = new QWidget;
    auto* thumbs = new QVBoxLayout(TabThumbs);
    thumbs->setContentsMargins(0, 0, 0, 0);
    ThumbGrid = new TQRThumbGrid(TabThumbs);
    thumbs->addWidget(ThumbGrid);
    Tabs->addTab(TabThumbs, u("Miniaturbilder"));
    TabSearchResult = new QWidget;
    auto* results = new QVBoxLayout(TabSearchResult);
    GroupBox1 = new QGroupBox(u("Suchtext"), TabSearchResult);
    auto* group = new QVBoxLayout(GroupBox1);
    SearchTextLabel = new QLabel(GroupBox1);
    group->addWidget(SearchTextLabel);
    SearchResultBox = new QListWidget(GroupBox1);
    SearchResultBox->setEnabled(false);
    group->addWidget(SearchResultBox);
    results->addWidget(GroupBox1);
    Tabs->addTab(TabSearchResult, u("Suchergebnisse"));
    // Both tab captions whole: the panel is as wide as the tabs need, at
    // least its designed 193 pixels, and the captions are never shortened.
    Tabs->setElideMode(Qt::ElideNone);
    Tabs->setUsesScrollButtons(false);
    Tabs->setFixedWidth(std::max(193, Tabs->tabBar()->sizeHint().width() + 4));
    QRPreview = new TQRPreview(splitter);
    splitter->addWidget(Tabs);
    splitter->addWidget(QRPreview);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter);
    setCentralWidget(central);

    const int widths[4] = {60, 120, 120, 50};
    for (int i = 0; i < 4; ++i) {
        FPanels[i] = new QLabel(this);
        FPanels[i]->setMinimumWidth(widths[i]);
        FPanels[i]->setFrameShape(QFrame::Panel);
        FPanels[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(FPanels[i], i == 3 ? 1 : 0);
    }
    FPanels[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FPanels[0]->setText("0%");
    // Read by their text; what each holds is their description.
    const char* panels[4] = {"Fortschritt", "Seite", "Zoom", "Berichtstitel"};
    for (int i = 0; i < 4; ++i)
        FPanels[i]->setAccessibleDescription(u(panels[i]));
    statusBar()->setAccessibleName(u("Statusleiste"));
    ThumbGrid->setAccessibleName(u("Miniaturbilder"));
    SearchResultBox->setAccessibleName(u("Suchergebnisse"));

    QRPreview->OnPageAvailable = [this](TQRPreview*, int n) { PageAvailable(n); };
    QRPreview->OnProgressUpdate = [this](TQRPreview*, int p) { ProgressUpdate(p); };
    QRPreview->OnPrinterGone = [this](TQRPreview*) { recorderGone(); };
    ThumbGrid->OnSelect = [this](int row) {
        if (FGridGuard)
            return;
        FGridGuard = true;
        SelectPage(row + 1);
        FGridGuard = false;
    };
    connect(SearchResultBox, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SearchResultClick(SearchResultBox->row(item)); });
}

// --- status and notices ----------------------------------------------------

void TQRStandardPreview::WriteStatus()
{
    const TQRPrinter* p = QRPrinterOf();
    FPanels[1]->setText(QString("Seite %1 von %2").arg(QRPreview->PageNumber()).arg(p ? p->PageCount() : 0));
    FPanels[3]->setText(QString::fromStdString(FTitle));
    FPanels[2]->setText(QString::number(QRPreview->Zoom()) + "%");
}

std::string TQRStandardPreview::PanelText(int panel) const
{
    return panel >= 0 && panel < 4 ? FPanels[panel]->text().toStdString() : std::string();
}

void TQRStandardPreview::ProgressUpdate(int progress)
{
    if (progress >= FLastProgress + 5) {
        FPanels[0]->setText(QString::number(progress) + "%");
        FLastProgress = progress;
    }
    if (progress == 0 || progress == 100)
        FPanels[0]->clear();
}

void TQRStandardPreview::PageAvailable(int /*pageNum*/)
{
    TQRPrinter* p = QRPrinterOf();
    if (p == nullptr)
        return;
    CancelButton->setEnabled(true);
    WriteStatus();
    ThumbGrid->SetRowCount(p->PageCount());
    if (p->Status() == report::TQRPrinterStatus::mpFinished) {
        setPageButtons(true);
        ThumbGrid->SetRowCount(p->PageCount());
        CancelButton->setEnabled(false);
    } else {
        ThumbGrid->SetRowCount(p->PageCount() - 1);
        setPageButtons(false);
    }
    if (FReport != nullptr && FReport->PagesInPreview != 0 && FReport->PagesInPreview == p->PageCount())
        FReport->UserCancel = true;
}

void TQRStandardPreview::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    fitToolBars();
    QRPreview->UpdateZoom();
    WriteStatus();
}

bool TQRStandardPreview::Working() const
{
    if (FRecorderGone)
        return false;
    const TQRPrinter* p = QRPrinterOf();
    return FWorking > 0 || !ExitButton->isEnabled() || (p != nullptr && p->Status() == report::TQRPrinterStatus::mpBusy);
}

std::vector<TQRStandardPreview*> OpenPreviews()
{
    std::vector<TQRStandardPreview*> previews;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* preview = qobject_cast<TQRStandardPreview*>(w))
            previews.push_back(preview);
    return previews;
}

bool AnyPreviewWorking()
{
    const std::vector<TQRStandardPreview*> previews = OpenPreviews();
    return std::any_of(previews.begin(), previews.end(), [](const TQRStandardPreview* p) { return p->Working(); });
}

void TQRStandardPreview::closeEvent(QCloseEvent* event)
{
    TQRPrinter* p = QRPrinterOf();
    if (Working()) {
        event->ignore();
        return;
    }
    hook(TStandPrevEventType::spClose, "");
    qApp->removeEventFilter(this);
    event->accept();
    if (p != nullptr)
        p->ClosePreview(QRPreview);
    // Closed from inside the recorder's end: the engine's notices wait for
    // their own loop.
    if (!FRecorderGone)
        platform::messageQueue().processMessages();
}

void TQRStandardPreview::recorderGone()
{
    // Nothing is left to show or to act on: a window without its pages
    // would offer commands that do nothing.
    FRecorderGone = true;
    setPageButtons(false);
    close();
}

void TQRStandardPreview::PlaceWindow(const QRect& outer)
{
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    FRequestedOuter = fittedToScreen(outer);
    setGeometry(*FRequestedOuter);
    applyRequestedOuter();
}

bool TQRStandardPreview::event(QEvent* event)
{
    // A window closed for good deletes itself in this call: nothing of it
    // may be touched afterwards.
    if (event->type() == QEvent::DeferredDelete)
        return QMainWindow::event(event);
    const bool handled = QMainWindow::event(event);
    // The window manager frames the window some time after it is shown, and
    // the window hears nothing of it: look again for some seconds
    // (longer on a busy machine).
    if (FRequestedOuter && event->type() == QEvent::Show) {
        FFrameTries = 0;
        QTimer::singleShot(0, this, [this] { applyRequestedOuter(); });
    }
    return handled;
}

void TQRStandardPreview::applyRequestedOuter()
{
    if (!FRequestedOuter || !isVisible())
        return;
    constexpr int kTries = 200, kInterval = 50;
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QMargins m(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                     frame.bottom() - client.bottom());
    if (m.isNull()) {
        // Unframed so far; a window manager that never frames it leaves
        // the bounds as they are.
        if (++FFrameTries < kTries)
            QTimer::singleShot(kInterval, this, [this] { applyRequestedOuter(); });
        return;
    }
    const QRect outer = *FRequestedOuter;
    FRequestedOuter.reset();
    setGeometry(outer.marginsRemoved(m));
}

// --- opening -----------------------------------------------------------------

TQRStandardPreview* OpenPlacedPreview(TQRPrinter* printer, const QRect& outer)
{
    auto* window = new TQRStandardPreview(printer);
    window->PlaceWindow(outer);
    window->QRPreview->ZoomToFit();
    window->ZoomFit->setChecked(true);
    window->InitZoom = TQRZoomState::qrZoomToFit;
    window->show();
    window->WriteStatus();
    return window;
}

// --- registration ----------------------------------------------------------

void RegisterStandardPreview()
{
    SetStandardPreviewFactory([](TQRPrinter* printer, bool modal) -> platform::MessageTarget* {
        auto* window = new TQRStandardPreview(printer);
        if (modal) {
            window->setWindowModality(Qt::ApplicationModal);
            window->show();
            const QPointer<TQRStandardPreview> open(window);
            while (open && open->isVisible())
                if (!platform::messageQueue().waitMessages())
                    break;
            return nullptr;
        }
        window->show();
        return window->QRPreview;
    });
    SetProgressFormFactory([](TQRPrinter* printer) { return std::make_unique<TQRProgressWindowAdapter>(printer); });
    RegisterXMLDocumentViewer();
}

} // namespace zt::preview
