// Open and Save of the main window, and the reader of the older layouts.

#include "letter/window/TFrmMain.h"

#include "files/LetterBuffer.h"
#include "files/LetterFile.h"
#include "files/OldLetterFiles.h"
#include "letter/state/ProgramState.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/files/FileAccess.h"
#include "platform/text/TextFile.h"
#include "files/LetterFields.h"

#include <QAction>
#include <QCheckBox>
#include <filesystem>

namespace zt::letter {

namespace {

constexpr const char* kLetterFilter = "Zettelino für Windows (*.ZLW)|*.ZLW";
constexpr const char* kLetterExt = "*.ZLW";

platform::FileDialogRequest letterDialog(const std::string& lastName)
{
    platform::FileDialogRequest request;
    request.filter = kLetterFilter;
    request.defaultExt = kLetterExt;
    request.initialDir = LastDir;
    request.fileName = lastName;
    return request;
}

} // namespace

files::TLetterContent TFrmMain::LetterContent() const
{
    files::TLetterContent letter;
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks)
        letter.*b.lines = BlockControl(b.block)->Lines();
    for (const files::TTickMarkInfo& m : files::kTickMarks)
        letter.marks[static_cast<std::size_t>(m.number)] = TickMark(m.number)->isChecked();
    for (const files::TLetterFieldInfo& f : files::kLetterFields)
        letter.*f.text = FieldControl(f.field)->Text();
    return letter;
}

void TFrmMain::SpeichernExecute(QAction* sender)
{
    if (CurrentFile.empty() || sender == SpeichernUnter) {
        platform::FileDialogRequest request = letterDialog(FSaveDialogFileName);
        request.overwritePrompt = true;
        auto chosen = platform::userDialogs().saveFile(request);
        if (!chosen)
            return;
        FSaveDialogFileName = *chosen;
        CurrentFile = *chosen;
    }
    try {
        platform::text::writeTextFile(CurrentFile, files::LetterFileLines(LetterContent()));
        platform::userDialogs().messageDlg("Zettelino \"" + CurrentFile + "\" wurde gespeichert.",
                                           platform::TMsgDlgType::mtInformation, platform::mbOK);
    } catch (...) {
        // Not caught here: the general error box shows the system's message.
        // A letter that was not written does not count as saved, so New
        // still asks before it is lost.
        LastDir = platform::files::folderOf(FSaveDialogFileName);
        throw;
    }
    LetterSaved = true;
    LastDir = platform::files::folderOf(FSaveDialogFileName);
    rememberRecent(std::filesystem::absolute(CurrentFile).lexically_normal().string());
}

std::optional<std::string> TFrmMain::runOpenDialog()
{
    auto chosen = platform::userDialogs().openFile(letterDialog(FOpenDialogFileName));
    if (chosen)
        FOpenDialogFileName = *chosen;
    return chosen;
}

void TFrmMain::ApplyLetter(const files::TLetterBuffer& read)
{
    // Each block is set in one piece: filling a box line by line re-reads
    // it for every line, which makes a long letter take minutes.
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks)
        if (const auto& lines = read.Block(b.block))
            BlockControl(b.block)->SetLines(*lines);
    for (const files::TTickMarkInfo& m : files::kTickMarks)
        if (const auto ticked = read.Mark(m.number))
            TickMark(m.number)->setChecked(*ticked);
    for (const files::TLetterFieldInfo& f : files::kLetterFields)
        if (const auto& text = read.Field(f.field))
            FieldControl(f.field)->SetText(*text);
    for (TMemo* block : BlockControls())
        block->ScrollToTop();
}

void TFrmMain::OeffnenExecute()
{
    // The letter in the window is asked about first, as closing does.
    if (RefuseWhileWorking() || !MayLetLetterGo(Oeffnen))
        return;
    const auto chosen = runOpenDialog();
    LastDir = platform::files::folderOf(FOpenDialogFileName);
    openChosen(chosen);
}

void TFrmMain::OpenLetterFile(const std::string& path)
{
    // As the dialog would have answered: an absolute name, which the
    // dialog then offers next time and whose folder becomes the last one.
    FOpenDialogFileName = std::filesystem::absolute(path).lexically_normal().string();
    LastDir = platform::files::folderOf(FOpenDialogFileName);
    openChosen(FOpenDialogFileName);
}

void TFrmMain::openChosen(const std::optional<std::string>& chosen)
{
    // A cancelled dialog leaves everything as it was: an unsaved letter
    // must still count as unsaved, or closing would lose it.
    if (!chosen)
        return;
    // Read the whole file before the letter is touched: a file that
    // cannot be read leaves the letter, the file it belongs to, the
    // caption and the status bar as they were, so a later Save does not
    // overwrite the unreadable file with half of it.
    files::TLetterBuffer read;
    try {
        files::ReadLetterFile(files::TLetterFileReader(platform::text::readTextFile(*chosen)), read);
    } catch (const std::exception&) {
        platform::userDialogs().messageDlg(files::kLetterOpenFailure, platform::TMsgDlgType::mtWarning, platform::mbOK);
        return;
    }
    CurrentFile = *chosen;
    ApplyLetter(read);
    LetterSaved = true;
    ShowLetterFile();
    rememberRecent(std::filesystem::absolute(*chosen).lexically_normal().string());
}

void TFrmMain::ShowLetterFile()
{
    SetPanelText(2, platform::files::fileNameOf(CurrentFile));
    setWindowTitle(QString::fromStdString("Zettelino - [ " + CurrentFile + "]"));
}

void TFrmMain::OeffnenAltExecute()
{
    if (RefuseWhileWorking() || !MayLetLetterGo(OeffnenAlt))
        return;
    const auto chosen = runOpenDialog();
    if (!chosen)
        return;
    try {
        const std::string bytes = platform::files::readFileBytes(*chosen);
        const files::TOldLayout layout = files::DetectOldLayout(bytes);
        // A file in neither layout is left alone, and so is the letter: a
        // later Save must not overwrite a file that was never read.
        if (layout == files::TOldLayout::None)
            return;
        files::TLetterBuffer read;
        if (layout == files::TOldLayout::Sectioned)
            files::ReadSectionedLetter(bytes, read);
        else
            files::ReadFixedRecordLetter(bytes, read);
        CurrentFile = *chosen;
        ApplyLetter(read);
        LetterSaved = true;
        SetPanelText(2, CurrentFile);
        LastDir = platform::files::folderOf(CurrentFile);
    } catch (const std::exception&) {
        // The older readers stay silent about every error.
    }
}

} // namespace zt::letter
