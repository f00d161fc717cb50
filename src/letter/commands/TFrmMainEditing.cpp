// The editing aids of the main window: the phrase picker, the insertions
// into the message, the place/date button, the five-line limit of the sender
// and address blocks and the default sender.

#include "letter/window/TFrmMain.h"

#include "letter/state/DateTexts.h"
#include "letter/state/ProgramState.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/core/PlatformError.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/text/TextFile.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <filesystem>

namespace zt::letter {

namespace {

constexpr const char* kSenderFile = "Absender.txt";

// A default sender in the working folder is kept where it is; otherwise it
// lives with the settings: a program started from the desktop's menu works
// in the home folder, or in "/", where nothing may be written.
std::string senderFile()
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(kSenderFile, ec))
        return kSenderFile;
    return ProgramDir + kSenderFile;
}

} // namespace

void TFrmMain::connectEditingAids()
{
    // The picker's text cannot be edited: character keys are discarded (see
    // eventFilter) and neither paste nor drop reaches it.
    ComboBox1->lineEdit()->setReadOnly(true);
    ComboBox1->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    connect(ComboBox1, &QComboBox::activated, this, [this] { Guarded([&] { ComboBox1Change(); }); });

    connect(SpeedButton1, &QToolButton::clicked, this, [this] { Guarded([&] { SpeedButton1Click(); }); });
    connect(SBDatum, &QToolButton::clicked, this, [this] { Guarded([&] { SBDatumClick(); }); });
    connect(SBZeit, &QToolButton::clicked, this, [this] { Guarded([&] { SBZeitClick(); }); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { Guarded([&] { SpeedButton2Click(); }); });
    connect(btnAbsenderSpeichern, &QToolButton::clicked, this,
            [this] { Guarded([&] { btnAbsenderSpeichernClick(); }); });
    connect(btnAbsenderLaden, &QToolButton::clicked, this, [this] { Guarded([&] { btnAbsenderLadenClick(); }); });
}

bool TFrmMain::editingKeyFilter(QObject* watched, QKeyEvent* key)
{
    // Tab moves the focus, also out of the picker; it is no character.
    if (key->text().isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false; // not a character key
    if (watched == ComboBox1 || watched == ComboBox1->lineEdit())
        return true;
    bool discard = false;
    if (watched == MemoAbsender)
        Guarded([&] { discard = MemoAbsenderKeyPress(key->key()); });
    else if (watched == MemoAnschrift)
        Guarded([&] { discard = MemoAnschriftKeyPress(key->key()); });
    return discard;
}

bool TFrmMain::focusNextPrevChild(bool next)
{
    QWidget* focus = focusWidget();
    const bool inPicker = focus && (focus == ComboBox1 || ComboBox1->isAncestorOf(focus));
    if (next && inPicker) {
        MemoAbsender->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (!next && focus == MemoAbsender) {
        ComboBox1->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    return QMainWindow::focusNextPrevChild(next);
}

void TFrmMain::ComboBox1Change()
{
    // The message keeps its caret and selection.
    MemoMitteilung->setFocus(Qt::OtherFocusReason);
}

void TFrmMain::InsertIntoMessage(const std::string& text)
{
    edDummy->SetText(text);
    edDummy->selectAll();
    platform::clipboard().setText(edDummy->selectedText().toStdString());
    const std::string pasted = platform::clipboard().text();
    MemoMitteilung->textCursor().insertText(QString::fromStdString(pasted));
    MemoMitteilung->setFocus(Qt::OtherFocusReason);
    LetterSaved = false;
    scheduleRecoveryCopy();
}

void TFrmMain::SpeedButton1Click()
{
    if (ComboBox1->currentIndex() < 0) {
        platform::userDialogs().messageDlg("Bitte wählen Sie zuerst einen Textbaustein aus.",
                                           platform::TMsgDlgType::mtInformation, platform::mbOK);
        return;
    }
    InsertIntoMessage(ComboBox1->currentText().toStdString());
}

void TFrmMain::SBDatumClick()
{
    InsertIntoMessage(DateText());
}

void TFrmMain::SBZeitClick()
{
    InsertIntoMessage(TimeText());
}

void TFrmMain::SpeedButton2Click()
{
    edDatum->SetText(edDatum->Text() + DateText());
}

bool TFrmMain::blockLineLimit(files::TLetterBlock which, int key)
{
    const int limit = files::LetterBlockInfo(which).maxLines;
    TMemo* block = BlockControl(which);
    const int lines = block->LineCount();
    if (limit <= 0)
        return false;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && lines == limit)
        return true;
    if (lines > limit) {
        // One line goes per key; the key then types at the very start.
        block->DeleteLine(lines - 1);
        block->ScrollToTop();
    }
    return false;
}

bool TFrmMain::MemoAbsenderKeyPress(int key)
{
    return blockLineLimit(files::TLetterBlock::Absender, key);
}

bool TFrmMain::MemoAnschriftKeyPress(int key)
{
    return blockLineLimit(files::TLetterBlock::Anschrift, key);
}

void TFrmMain::btnAbsenderSpeichernClick()
{
    const std::string path = senderFile();
    try {
        if (path != kSenderFile && !ProgramDir.empty())
            std::filesystem::create_directories(ProgramDir);
        platform::text::writeTextFile(path, MemoAbsender->TextLines());
    } catch (const std::exception& e) {
        // A sender that was not stored must not pass for stored.
        platform::userDialogs().messageDlg("Der Standardabsender wurde nicht gespeichert: " + std::string(e.what()),
                                           platform::TMsgDlgType::mtError, platform::mbOK);
    }
}

void TFrmMain::btnAbsenderLadenClick()
{
    std::vector<std::string> lines;
    try {
        lines = platform::text::readTextFile(senderFile());
    } catch (const platform::PlatformError&) {
        platform::userDialogs().showMessage("Standardabsender nicht gefunden (Datei: \"absender.txt\")!");
        return;
    }
    MemoAbsender->SetLines(lines);
}

} // namespace zt::letter
