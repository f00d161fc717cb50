#pragma once
// The main window. The letter lives in its controls: every other part reads
// the letter from them and writes it back into them.

#include "files/LetterContent.h"
#include "files/LetterFields.h"
#include "letter/window/Anchors.h"
#include "output/LetterPrint.h"
#include "output/WindowlessLetter.h"

#include <QMainWindow>
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QCloseEvent;
class QDropEvent;
class QKeyEvent;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class QTimer;

namespace zt::files {
class TLetterBuffer;
class TOrphanCopy;
class TRecoveryWriter;
}
namespace zt::platform::files {
class PrivateFolder;
}
namespace zt::merge {
class TMergeRun;
}

namespace zt::letter {

class TEdit;
class TMemo;
class TSpelling;

// The general error box for an error a command did not catch.
void reportUncaught(const std::exception& e);

// The placeholder recipient of the mail hand-off.
inline constexpr const char* kMailRecipient = "empfaenger@zettelino.example";

class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    // The client area as designed; the size used at start-up comes from the settings.
    static constexpr int kDesignedClientWidth = 664;
    static constexpr int kDesignedClientHeight = 471;

    explicit TFrmMain(QWidget* parent = nullptr);
    ~TFrmMain() override;

    // Outer bounds, frame included, in screen pixels.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    // The designed client width whatever the frame: a first start's width,
    // at which the boxes wrap as the batch tool wraps them.
    void SetDesignedClientWidth();
    // Fits the bounds into the free area of the window's screen: smaller
    // if they are larger than it, moved onto it if they reach beyond it.
    void FitIntoScreen();

    // Tick mark N (1-15) in the letter's numbering.
    QCheckBox* TickMark(int n) const;
    // The text that names tick mark N in outputs: its caption, or for 9 and
    // 15 the text of the field beside it.
    std::string TickMarkLabel(int n) const;

    // Text of status panel 0-3.
    std::string PanelText(int panel) const;
    void SetPanelText(int panel, const std::string& text);

    // The long part of a hint (after "|"), shown in status panel 0.
    static std::string GetLongHint(const std::string& hint);
    void DisplayHint(const std::string& hint);

    // Runs a command handler; what it does not catch goes to the general error box.
    template <typename F>
    void Guarded(F&& handler);

    // Handlers.
    void FormCreate();
    // Replaces the picker's items by the phrase file's lines, if it can be read.
    void LoadPhrases();
    void MemoAbsenderChange();
    void MemoMitteilungChange();
    void NeuExecute();
    void SpeichernExecute(QAction* sender);
    void OeffnenExecute();
    // Opens `path` as if it had been chosen in Open's dialog: the same
    // reader and failure message, CurrentFile, caption and status bar. For
    // a file named on the command line.
    void OpenLetterFile(const std::string& path);
    // A file dropped on the window: a letter (.ZLW) opens as Open does,
    // asking first about an unsaved one; a saved report (.QRP) goes to
    // OnOpenReportFile. Other drops keep the controls' own handling.
    void OpenDroppedFile(const std::string& path);
    std::function<void(const std::string&)> OnOpenReportFile;
    // The desktop's recently used files (recently-used.xbel): an opened or
    // saved letter is added, and "Zuletzt geöffnet" offers the last ones.
    // Empty: neither.
    std::string RecentList;
    // Runs `job` once the window has painted for the first time (at once
    // when it has): work the first sight of the window does not need.
    void AfterFirstPaint(std::function<void()> job);
    // The control of a single-line field, and all of them in the order of
    // files::kLetterFields.
    TEdit* FieldControl(files::TLetterField field) const;
    std::vector<TEdit*> FieldControls() const;
    // The box of a block, and all three in the order of files::kLetterBlocks.
    TMemo* BlockControl(files::TLetterBlock block) const;
    std::vector<TMemo*> BlockControls() const;
    // An entry of "Zuletzt geöffnet": opens as Open does, asking first.
    void OpenRecentLetter(const std::string& path);
    // "Öffnen alte Version...": reads a letter in one of the older layouts.
    void OeffnenAltExecute();
    void DruckenExecute();
    // Print through the print dialog: printer, copies and pages for this
    // printout only.
    void DruckenMitDialogExecute();
    void DruckvorschauExecute();
    void EditorExecute();
    void WordExecute();
    void EMailExecute();
    void TextbausteineExecute();
    void KalenderExecute();
    // "Als PDF per E-Mail senden...": the letter's PDF attached to a new
    // message in the user's mail program.
    void EMailPdfExecute();
    // "Serienbrief...": the letter to every recipient of an address list,
    // in one preview.
    void SerienbriefExecute();

    // Recovery copies of the unsaved letter in `folder` (the program's, not
    // the batch tool's hidden window): written a pause after typing and at
    // least every `everyMs` while it goes on, removed once the letter is
    // saved, cleared or the window goes.
    void EnableRecovery(const std::string& folder, int pauseMs = 3000, int everyMs = 30000);
    files::TRecoveryWriter* Recovery() const { return FRecovery.get(); }
    // Fills the window from a copy a crashed program left: its file's name
    // in the caption and status bar, the letter unsaved.
    void RecoverLetter(const files::TOrphanCopy& copy);
    void Beenden1Click();
    // Whether the window may close: see MayLetLetterGo.
    bool CloseQuery();
    // Whether the letter may be replaced or go: with an unsaved letter it
    // asks New's question with a cancel button; "Ja" saves (through
    // `saveSender`) and lets it go only when the letter got saved, "Nein"
    // lets it go, "Abbrechen" and Escape keep it.
    bool MayLetLetterGo(QAction* saveSender);
    // Takes drops of one letter or report file (see OpenDroppedFile).
    bool fileDropFilter(QObject* watched, QDropEvent* event);
    // True, after saying so in a box, while this window or a preview prints,
    // saves or runs a report with the event loop running: a command that
    // would change the letter, run its report again or free a merge run
    // must wait until that is done.
    bool RefuseWhileWorking();
    void Ueber1Click();
    void Ausschneiden1Click();
    void Kopieren1Click();
    void Einfgen1Click();

    // Editing aids.
    void ComboBox1Change();
    void SpeedButton1Click();
    void SBDatumClick();
    void SBZeitClick();
    void SpeedButton2Click();
    // True when the key is to be discarded.
    bool MemoAbsenderKeyPress(int key);
    bool MemoAnschriftKeyPress(int key);
    void btnAbsenderSpeichernClick();
    void btnAbsenderLadenClick();
    // Puts text into the message through edDummy and the clipboard.
    void InsertIntoMessage(const std::string& text);

    // Fills Memo1 with the plain-text rendering of the letter as it stands.
    void FillPlainText();
    // FillPlainText, then Memo1's text to "_zlwmitt.txt"; returns its path.
    std::string RenderPlainText();
    // Where the plain text goes: the working folder, or with
    // PrivatePlainText a private temporary folder of this run.
    std::string PlainTextPath();
    bool PrivatePlainText = false;
    // Whether the desktop has a program for text files; unset: assumed.
    std::function<bool()> TextEditorKnown;

    // The letter as the controls hold it, the blocks' lines as displayed.
    files::TLetterContent LetterContent() const;
    // The letter as the printed letter's fill step takes it.
    output::TLetterPrintSource PrintSource() const;
    // The letter as its outputs take it: the boxes' lines, the fields and
    // the tick marks' labels (a mail merge's template).
    output::TWindowlessLetter ShownLetter() const;
    // Names CurrentFile in the caption and status panel 2, as Open does.
    void ShowLetterFile();
    // Lets the report take the letter from this window.
    void AttachReport(output::TfrmReport& report);

    // Spell checking while typing; "Rechtschreibprüfung" in Extras.
    TSpelling* Spelling() const { return FSpelling; }
    void RechtschreibungClick(bool checked);
    // Fills PopupMenu1 for a right click at `pos` in `control`: the
    // spelling entries for a misspelt word there above the menu's own.
    void PreparePopupMenu(QWidget* control, const QPoint& pos);

    // Controls.
    QFrame* CoolBar1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QLabel* Label1 = nullptr;
    QToolButton* btnAbsenderLaden = nullptr;
    QToolButton* btnAbsenderSpeichern = nullptr;
    TMemo* MemoAbsender = nullptr;
    QLabel* Label2 = nullptr;
    TMemo* MemoAnschrift = nullptr;
    QLabel* Label5 = nullptr;
    QCheckBox* cbKenntnisnahme = nullptr;
    QCheckBox* cbAnrufRuecksprache = nullptr;
    QCheckBox* cbStellungnahme = nullptr;
    QCheckBox* cbKontrolle = nullptr;
    QCheckBox* cbErledigung = nullptr;
    QCheckBox* cbEntscheidung = nullptr;
    QCheckBox* cbRuecknahme = nullptr;
    QCheckBox* cbVerbleib = nullptr;
    QCheckBox* cbSonst1 = nullptr;
    TEdit* EditSonst1 = nullptr;
    QLabel* Label6 = nullptr;
    QCheckBox* cbSchreiben = nullptr;
    QCheckBox* CheckBox11 = nullptr;
    QCheckBox* CheckBox12 = nullptr;
    QCheckBox* CheckBox13 = nullptr;
    QCheckBox* CheckBox14 = nullptr;
    QCheckBox* CheckBox15 = nullptr;
    TEdit* EditSonst2 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label7 = nullptr;
    TEdit* EditTitel1 = nullptr;
    TEdit* EditTitel2 = nullptr;
    TEdit* edDatum = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SBZeit = nullptr;
    QToolButton* SBDatum = nullptr;
    QLabel* Label4 = nullptr;
    TMemo* MemoMitteilung = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    TEdit* edDummy = nullptr;
    TMemo* Memo1 = nullptr;

    // Commands (ActionList1).
    QAction* Neu = nullptr;
    QAction* Oeffnen = nullptr;
    QAction* Speichern = nullptr;
    QAction* SpeichernUnter = nullptr;
    QAction* Drucken = nullptr;
    QAction* DruckenMitDialog = nullptr;
    QAction* Druckvorschau = nullptr;
    QAction* Editor = nullptr;
    QAction* Word = nullptr;
    QAction* EMail = nullptr;
    QAction* Textbausteine = nullptr;
    QAction* Kalender = nullptr;
    QAction* EMailPdf = nullptr;
    QAction* Serienbrief = nullptr;
    QList<QAction*> ActionList1;

    QMenu* MainMenuZettelino = nullptr;
    QMenu* MainMenuExtras = nullptr;
    QMenu* MainMenuHilfe = nullptr;
    QAction* OeffnenAlt = nullptr;
    QMenu* ZuletztGeoeffnet = nullptr;
    QAction* Beenden1 = nullptr;
    QAction* Ueber1 = nullptr;
    QAction* Rechtschreibung = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Ausschneiden1 = nullptr;
    QAction* Kopieren1 = nullptr;
    QAction* Einfgen1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    // Whether `object` is this window or one of its widgets or pop-ups.
    bool ownsWidget(const QObject* object) const;
    // Closing with an unsaved letter asks first (see CloseQuery).
    void closeEvent(QCloseEvent* event) override;
    // The tab order wraps from the phrase picker to the sender block.
    bool focusNextPrevChild(bool next) override;

private:
    void createControls();
    // A block's box and a field's control at their places on the form.
    TMemo* createBlock(files::TLetterBlock block);
    TEdit* createField(files::TLetterField field);
    // Accessible names and descriptions, once every control exists.
    void nameControls();
    void createCommands();
    void createMenus();
    void connectChangeTracking();
    void connectEditingAids();
    // The line limit of a block's box while typing (files::kLetterBlocks).
    bool blockLineLimit(files::TLetterBlock block, int key);
    bool editingKeyFilter(QObject* watched, QKeyEvent* key);
    // The open and save dialogs as the letter files use them; each keeps
    // the name last chosen in it.
    std::optional<std::string> runOpenDialog();
    // Open's steps after its dialog; nothing chosen only marks the letter saved.
    void openChosen(const std::optional<std::string>& chosen);
    // Puts what a reader found into the controls, each block in one piece.
    void ApplyLetter(const files::TLetterBuffer& read);
    void applyRequestedOuterSize();
    bool isFieldControl(const QObject* object) const;
    // Whether `object` is the text area of one of the blocks' boxes.
    bool isBlockViewport(const QObject* object) const;
    // The picker shows its prompt, no phrase chosen.
    void resetPhrasePicker();
    // The letter is saved, cleared or opened: its recovery copy goes.
    void dropRecoveryCopy();
    // Adds the letter file to the recently used files.
    void rememberRecent(const std::string& path);
    // Fills "Zuletzt geöffnet" from the recently used files.
    void fillRecentMenu();
    QWidget* popupTarget() const;

    QWidget* FClient = nullptr;
    std::unique_ptr<AnchorLayout> FAnchors;
    // The buttons on the sender strip, placed within it.
    std::unique_ptr<AnchorLayout> FStripAnchors;
    std::array<QLabel*, 4> FPanels{};
    std::array<QCheckBox*, files::kTickMarkCount + 1> FTickMarks{};
    std::array<TMemo*, files::kLetterBlockCount> FBlocks{};
    std::array<TEdit*, files::kLetterFieldCount> FFields{};
    QWidget* FPopupControl = nullptr;
    TSpelling* FSpelling = nullptr;
    // The spelling entries PopupMenu1 holds at the moment, separator included.
    QList<QAction*> FSpellEntries;
    void createSpelling();
    // "Rechtschreibprüfung" at the end of the Extras menu.
    void createSpellingEntry();
    std::string FOpenDialogFileName;
    std::string FSaveDialogFileName;
    // Outer sizes asked for while the window manager's frame was not yet known.
    std::optional<int> FRequestedOuterWidth;
    std::optional<int> FRequestedOuterHeight;
    // Fitted into the screen while the frame was unknown: fitted again with it.
    bool FFitWhenFramed = false;
    void fitOnceFramed();
    // Set while the close question is open, so a second close request
    // (a signal, say) does not ask again.
    bool FAskingToClose = false;
    // Commands of this window in progress that run the event loop (printing,
    // a preview's run, a mail merge's run); see RefuseWhileWorking.
    int FWorking = 0;
    class TWork {
    public:
        explicit TWork(TFrmMain& window) : count_(window.FWorking) { ++count_; }
        ~TWork() { --count_; }
        TWork(const TWork&) = delete;
        TWork& operator=(const TWork&) = delete;

    private:
        int& count_;
    };
    // The last mail merge, whose recorded pages its preview shows.
    std::unique_ptr<merge::TMergeRun> FMergeRun;
    std::unique_ptr<files::TRecoveryWriter> FRecovery;
    std::unique_ptr<platform::files::PrivateFolder> FPlainTextFolder;
    bool FPainted = false;
    std::vector<std::function<void()>> FAfterFirstPaint;
    void runAfterFirstPaint();
    QTimer* FRecoveryTimer = nullptr;
    qint64 FLastCopy = -1; // ms since the epoch of the copy's last write; -1: none due
    int FRecoveryEvery = 30000;
    void scheduleRecoveryCopy();
    void writeRecoveryCopy();
    void afterCommand();
};

template <typename F>
void TFrmMain::Guarded(F&& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        reportUncaught(e);
    }
    afterCommand();
}

} // namespace zt::letter
