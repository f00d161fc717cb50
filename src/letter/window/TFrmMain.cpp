#include "letter/window/TFrmMain.h"

#include "letter/state/Forms.h"
#include "letter/window/Images.h"
#include "letter/state/PhraseList.h"
#include "letter/dialogs/TAboutBox.h"
#include "letter/dialogs/TFrmKalender.h"
#include "letter/dialogs/TfrmTextbausteine.h"
#include "letter/state/ProgramState.h"
#include "letter/controls/TEdit.h"
#include "platform/files/PrivateFolder.h"
#include "letter/controls/TMemo.h"
#include "letter/spelling/TSpelling.h"
#include "files/RecoveryWriter.h"
#include "merge/MergeRun.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/text/TextFile.h"
#include "platform/qt/QtText.h"
#include "output/LetterBoxes.h"
#include "files/LetterFields.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QWindow>
#include <QToolButton>
#include <algorithm>
#include <stdexcept>
#include <memory>

namespace zt::letter {

namespace {

constexpr const char* kNoLetterLoaded = "<kein Zettelino geladen>";
constexpr const char* kVersionText = "Version 1.8.7 - 27.04.2015";
constexpr const char* kNotSavedQuestion =
    "Die Kurzmitteilung wurde noch nicht gespeichert.\nMöchten Sie sie zuerst speichern?";

using platform::qt::u;

// The window manager's frame around the window; none before it is shown.
QMargins outerMargins(const QWidget& w)
{
    const QRect f = w.frameGeometry();
    const QRect g = w.geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

} // namespace

void reportUncaught(const std::exception& e)
{
    platform::showApplicationError(e.what());
}

TFrmMain::TFrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("FrmMain");
    setWindowTitle("Zettelino");
    setWindowIcon(programWindowIcon());
    createControls();
    createSpelling();
    createCommands();
    nameControls();
    connectChangeTracking();
    connectEditingAids();
    for (const std::string& phrase : builtInPhrases())
        ComboBox1->addItem(u(phrase));
    resetPhrasePicker();
    resize(kDesignedClientWidth, kDesignedClientHeight + menuBar()->sizeHint().height());
    FormCreate();
    // The window cannot be made smaller than the size at which its controls
    // start to overlap: below it the status bar would lie over the picker.
    // Measured once the status texts are in.
    const QSize minimumClient = FAnchors->minimumSize();
    FClient->setMinimumSize(minimumClient);
    setMinimumSize(minimumClient.width(), minimumClient.height() + menuBar()->sizeHint().height());
}

TFrmMain::~TFrmMain()
{
    qApp->removeEventFilter(this);
}

void TFrmMain::FormCreate()
{
    // The hint of whatever is under the pointer goes to panel 0, from any
    // window. The one application-wide filter also serves the window's own
    // clicks, keys and resizes, so each event is seen exactly once.
    qApp->installEventFilter(this);
    // Files dropped anywhere on the window, not only on a text control.
    setAcceptDrops(true);
    SetPanelText(2, kNoLetterLoaded);
    SetPanelText(3, kVersionText);
    LoadPhrases();
}

void TFrmMain::resetPhrasePicker()
{
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString::fromUtf8(kPickerPrompt));
}

void TFrmMain::LoadPhrases()
{
    if (auto phrases = readPhraseFile(ProgramDir)) {
        ComboBox1->clear();
        for (const std::string& phrase : *phrases)
            ComboBox1->addItem(u(phrase));
        resetPhrasePicker();
    }
}

void TFrmMain::TextbausteineExecute()
{
    EnsureAuxiliaryWindows();
    if (!frmTextbausteine)
        return;
    frmTextbausteine->PickerPhrases.clear();
    for (int i = 0; i < ComboBox1->count(); ++i)
        frmTextbausteine->PickerPhrases.push_back(ComboBox1->itemText(i).toStdString());
    if (frmTextbausteine->exec() != QDialog::Accepted)
        return;
    // Not caught here: a phrase file that cannot be written goes to the
    // general error box and the picker keeps its items.
    platform::text::writeTextFile(ProgramDir + kPhraseFileName, frmTextbausteine->Memo1->TextLines());
    LoadPhrases();
}

void TFrmMain::KalenderExecute()
{
    EnsureAuxiliaryWindows();
    if (FrmKalender)
        FrmKalender->ShowBeside();
}

void TFrmMain::Ueber1Click()
{
    EnsureAuxiliaryWindows();
    if (AboutBox) {
        AboutBox->show();
        AboutBox->raise();
    }
}

void TFrmMain::connectChangeTracking()
{
    // Typing, pasting, cutting or dropping into any of the letter's text
    // controls marks the letter changed, however the focus got there. The
    // boxes count every change of their text (what the program itself puts
    // there happens in commands that set the flag anyway); the fields count
    // edits only, so the place/date button still leaves the flag alone.
    // A box compares its text with what it was: an input method (Wayland's,
    // when the focus moves) reports edits that change nothing.
    for (TMemo* memo : BlockControls()) {
        auto seen = std::make_shared<QString>(memo->toPlainText());
        connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, seen] {
            QString now = memo->toPlainText();
            if (now == *seen)
                return;
            *seen = std::move(now);
            MemoAbsenderChange();
        });
    }
    // (A field reports an edit only when its text changed.)
    for (TEdit* edit : FieldControls())
        connect(edit, &QLineEdit::textEdited, this, [this] { MemoAbsenderChange(); });
    connect(MemoMitteilung, &QPlainTextEdit::textChanged, this, [this] { MemoMitteilungChange(); });
    for (const files::TTickMarkInfo& m : files::kTickMarks)
        connect(TickMark(m.number), &QCheckBox::toggled, this, [this] { MemoAbsenderChange(); });
    // A click in one of the letter's text controls also counts as a change.
    // The clicks, like the keys of the editing aids, reach eventFilter
    // through the application-wide filter that FormCreate installs.
    std::vector<QWidget*> withPopup;
    for (TMemo* block : BlockControls())
        withPopup.push_back(block);
    for (TEdit* field : FieldControls())
        withPopup.push_back(field);
    for (QWidget* w : withPopup) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this, [this, w](const QPoint& pos) {
            Guarded([&] { PreparePopupMenu(w, pos); });
            PopupMenu1->exec(w->mapToGlobal(pos));
        });
    }
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Expose:
        // The window paints while this event is handled; what waits for
        // the first paint runs right after it.
        if (watched == windowHandle() && windowHandle()->isExposed()) {
            windowHandle()->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { runAfterFirstPaint(); });
        }
        return false;
    case QEvent::StatusTip:
        // The filter sees every window's hints; only this window's own
        // (its menus and pop-ups included) belong in its status bar.
        if (ownsWidget(watched))
            DisplayHint(static_cast<QStatusTipEvent*>(event)->tip().toStdString());
        return false;
    case QEvent::MouseButtonPress:
        if (watched != FClient && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this)
            if (isBlockViewport(watched) || isFieldControl(watched))
                MemoAbsenderChange();
        return false;
    case QEvent::KeyPress:
        return editingKeyFilter(watched, static_cast<QKeyEvent*>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return fileDropFilter(watched, static_cast<QDropEvent*>(event));
    case QEvent::Resize:
        if (watched == FClient) {
            FAnchors->apply(FClient->size());
            FStripAnchors->apply(Label1->size());
        }
        return false;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}

bool TFrmMain::ownsWidget(const QObject* object) const
{
    if (object == nullptr || !object->isWidgetType())
        return false;
    // Up through the parents, across pop-up windows: a menu's parent is the
    // window it belongs to.
    for (auto* w = static_cast<const QWidget*>(object); w != nullptr; w = w->parentWidget())
        if (w == this)
            return true;
    return false;
}

bool TFrmMain::event(QEvent* event)
{
    if (event->type() == QEvent::DeferredDelete)
        return QMainWindow::event(event);
    const bool handled = QMainWindow::event(event);
    // A window that is never shown (the batch tool's) needs no dictionary;
    // a shown one loads it once it has painted, so the load does not
    // compete with the first paint for a core.
    if (event->type() == QEvent::Show && !FPainted && windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
        if (FSpelling)
            AfterFirstPaint([this] { FSpelling->StartLoading(); });
    }
    // The window manager's frame is known only once the window is shown; an
    // outer size asked for before then is applied again with it.
    if ((FRequestedOuterWidth || FRequestedOuterHeight) && (event->type() == QEvent::Show || event->type() == QEvent::Move))
        QTimer::singleShot(0, this, [this] { applyRequestedOuterSize(); });
    if (FFitWhenFramed && (event->type() == QEvent::Show || event->type() == QEvent::Move))
        QTimer::singleShot(0, this, [this] { fitOnceFramed(); });
    return handled;
}

void TFrmMain::AfterFirstPaint(std::function<void()> job)
{
    if (FPainted)
        job();
    else
        FAfterFirstPaint.push_back(std::move(job));
}

void TFrmMain::runAfterFirstPaint()
{
    FPainted = true;
    // A job may queue another; each runs once.
    while (!FAfterFirstPaint.empty()) {
        std::function<void()> job = std::move(FAfterFirstPaint.front());
        FAfterFirstPaint.erase(FAfterFirstPaint.begin());
        Guarded([&] { job(); });
    }
}

void TFrmMain::applyRequestedOuterSize()
{
    if (!(FRequestedOuterWidth || FRequestedOuterHeight) || !isVisible())
        return;
    const QMargins m = outerMargins(*this);
    if (m.isNull())
        return;
    resize(FRequestedOuterWidth ? std::max(0, *FRequestedOuterWidth - m.left() - m.right()) : width(),
           FRequestedOuterHeight ? std::max(0, *FRequestedOuterHeight - m.top() - m.bottom()) : height());
    FRequestedOuterWidth.reset();
    FRequestedOuterHeight.reset();
}

int TFrmMain::Left() const { return frameGeometry().x(); }
int TFrmMain::Top() const { return frameGeometry().y(); }
int TFrmMain::Width() const { return frameGeometry().width(); }
int TFrmMain::Height() const { return frameGeometry().height(); }

void TFrmMain::SetLeft(int left)
{
    move(left, Top());
}

void TFrmMain::SetTop(int top)
{
    move(Left(), top);
}

void TFrmMain::SetWidth(int width)
{
    const QMargins m = outerMargins(*this);
    resize(std::max(0, width - m.left() - m.right()), height());
    if (m.isNull())
        FRequestedOuterWidth = width;
    else
        FRequestedOuterWidth.reset();
}

void TFrmMain::SetHeight(int height)
{
    const QMargins m = outerMargins(*this);
    resize(width(), std::max(0, height - m.top() - m.bottom()));
    if (m.isNull())
        FRequestedOuterHeight = height;
    else
        FRequestedOuterHeight.reset();
}

void TFrmMain::SetDesignedClientWidth()
{
    resize(kDesignedClientWidth, height());
    FRequestedOuterWidth.reset();
}

QCheckBox* TFrmMain::TickMark(int n) const
{
    return n >= 1 && n <= files::kTickMarkCount ? FTickMarks[static_cast<std::size_t>(n)] : nullptr;
}

TEdit* TFrmMain::FieldControl(files::TLetterField field) const
{
    return FFields[files::IndexOf(field)];
}

std::vector<TEdit*> TFrmMain::FieldControls() const
{
    return {FFields.begin(), FFields.end()};
}

TMemo* TFrmMain::BlockControl(files::TLetterBlock block) const
{
    return FBlocks[files::IndexOf(block)];
}

std::vector<TMemo*> TFrmMain::BlockControls() const
{
    return {FBlocks.begin(), FBlocks.end()};
}

bool TFrmMain::isBlockViewport(const QObject* object) const
{
    return std::any_of(FBlocks.begin(), FBlocks.end(), [&](const TMemo* b) { return b->viewport() == object; });
}

bool TFrmMain::isFieldControl(const QObject* object) const
{
    const std::vector<TEdit*> controls = FieldControls();
    return std::find(controls.begin(), controls.end(), object) != controls.end();
}

std::string TFrmMain::TickMarkLabel(int n) const
{
    if (n < 1 || n > files::kTickMarkCount)
        return {};
    return files::TickMarkLabel(files::TickMarkInfo(n),
                                [this](files::TLetterField field) { return FieldControl(field)->Text(); });
}

std::string TFrmMain::PanelText(int panel) const
{
    return panel >= 0 && panel < 4 ? FPanels[panel]->text().toStdString() : std::string();
}

void TFrmMain::SetPanelText(int panel, const std::string& text)
{
    if (panel >= 0 && panel < 4)
        FPanels[panel]->setText(u(text));
}

std::string TFrmMain::GetLongHint(const std::string& hint)
{
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

void TFrmMain::DisplayHint(const std::string& hint)
{
    SetPanelText(0, GetLongHint(hint));
}

void TFrmMain::MemoAbsenderChange()
{
    LetterSaved = false;
    scheduleRecoveryCopy();
}

void TFrmMain::MemoMitteilungChange()
{
    SetPanelText(1, std::to_string(MemoMitteilung->LineCount()) + " Zeilen.");
}

void TFrmMain::NeuExecute()
{
    // A preview saving the letter reads it from the window.
    if (RefuseWhileWorking())
        return;
    if (!LetterSaved) {
        // Escape or the close box keep the letter: only "Nein" discards it.
        const auto answer = platform::userDialogs().messageDlg(
            kNotSavedQuestion, platform::TMsgDlgType::mtWarning,
            platform::mbYes | platform::mbNo | platform::mbClosedCancels);
        if (answer != platform::mrYes && answer != platform::mrNo)
            return;
        if (answer == platform::mrYes) {
            // A cancelled save dialog keeps the letter; a failed write throws
            // past the clearing below.
            SpeichernExecute(Neu);
            if (!LetterSaved)
                return;
        }
    }
    CurrentFile.clear();
    for (TMemo* memo : BlockControls())
        memo->clear();
    for (TEdit* edit : FieldControls())
        edit->clear();
    for (const files::TTickMarkInfo& m : files::kTickMarks)
        TickMark(m.number)->setChecked(false);
    resetPhrasePicker();
    MemoAbsender->setFocus();
    LetterSaved = true;
    SetPanelText(1, "0 Zeilen.");
    SetPanelText(2, "");
}

void TFrmMain::Beenden1Click()
{
    close();
}

bool TFrmMain::CloseQuery()
{
    return MayLetLetterGo(Speichern);
}

bool TFrmMain::MayLetLetterGo(QAction* saveSender)
{
    if (LetterSaved)
        return true;
    const auto answer = platform::userDialogs().messageDlg(
        kNotSavedQuestion, platform::TMsgDlgType::mtWarning, platform::mbYes | platform::mbNo | platform::mbCancel);
    if (answer == platform::mrNo)
        return true;
    if (answer != platform::mrYes)
        return false; // "Abbrechen", or the box closed
    // A cancelled save dialog leaves the letter unsaved, and a failed write
    // throws: either way the letter stays.
    SpeichernExecute(saveSender);
    return LetterSaved;
}

void TFrmMain::closeEvent(QCloseEvent* event)
{
    bool mayClose = false;
    if (!FAskingToClose && !RefuseWhileWorking()) {
        FAskingToClose = true;
        Guarded([&] { mayClose = CloseQuery(); });
        FAskingToClose = false;
    }
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

QWidget* TFrmMain::popupTarget() const
{
    return FPopupControl;
}

void TFrmMain::Ausschneiden1Click()
{
    if (auto* memo = qobject_cast<QPlainTextEdit*>(popupTarget()))
        memo->cut();
    else if (auto* edit = qobject_cast<QLineEdit*>(popupTarget()))
        edit->cut();
}

void TFrmMain::Kopieren1Click()
{
    if (auto* memo = qobject_cast<QPlainTextEdit*>(popupTarget()))
        memo->copy();
    else if (auto* edit = qobject_cast<QLineEdit*>(popupTarget()))
        edit->copy();
}

void TFrmMain::Einfgen1Click()
{
    if (auto* memo = qobject_cast<QPlainTextEdit*>(popupTarget()))
        memo->paste();
    else if (auto* edit = qobject_cast<QLineEdit*>(popupTarget()))
        edit->paste();
}

} // namespace zt::letter
