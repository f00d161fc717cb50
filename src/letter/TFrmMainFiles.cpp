// Open and Save of the main window, and the reader of the older layouts.

#include "letter/TFrmMain.h"

#include "files/LetterFile.h"
#include "files/OldLetterFiles.h"
#include "letter/ProgramState.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/files/FileAccess.h"
#include "platform/text/TextFile.h"

#include <QAction>
#include <QCheckBox>

namespace zt::letter {

namespace {

constexpr const char* kLetterFilter = "Zettelino für Windows (*.ZLW)|*.ZLW";
constexpr const char* kLetterExt = "*.ZLW";
constexpr const char* kOpenFailure =
    "Fehler beim Öffnen!\n"
    "Möglicherweise wurde der Zettelino mit einer älteren Programmversion erstellt.\n"
    "Versuchen Sie die ggf. über \"Zettelino|Öffnen alte Version...\" fortzufahren";

std::string fileNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Puts what a reader finds straight into the controls.
class WindowSink final : public files::TLetterSink {
public:
    explicit WindowSink(TFrmMain& f) : f_(f) {}

    void ClearBlock(files::TLetterBlock block) override { memo(block)->clear(); }
    void AppendLine(files::TLetterBlock block, const std::string& line) override { memo(block)->AppendLine(line); }
    void SetMark(int n, bool ticked) override
    {
        if (QCheckBox* box = f_.TickMark(n))
            box->setChecked(ticked);
    }
    void SetField(files::TLetterField field, const std::string& text) override { edit(field)->SetText(text); }

private:
    TMemo* memo(files::TLetterBlock b) const
    {
        switch (b) {
        case files::TLetterBlock::Absender: return f_.MemoAbsender;
        case files::TLetterBlock::Anschrift: return f_.MemoAnschrift;
        case files::TLetterBlock::Mitteilung: return f_.MemoMitteilung;
        }
        return f_.MemoMitteilung;
    }
    TEdit* edit(files::TLetterField field) const
    {
        switch (field) {
        case files::TLetterField::Titel1: return f_.EditTitel1;
        case files::TLetterField::Titel2: return f_.EditTitel2;
        case files::TLetterField::Sonst1: return f_.EditSonst1;
        case files::TLetterField::Sonst2: return f_.EditSonst2;
        case files::TLetterField::Datum: return f_.edDatum;
        }
        return f_.edDatum;
    }

    TFrmMain& f_;
};

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
    letter.absender = MemoAbsender->Lines();
    letter.anschrift = MemoAnschrift->Lines();
    letter.mitteilung = MemoMitteilung->Lines();
    for (int n = 1; n <= files::kTickMarkCount; ++n)
        letter.marks[n] = TickMark(n)->isChecked();
    letter.titel1 = EditTitel1->Text();
    letter.titel2 = EditTitel2->Text();
    letter.sonst1 = EditSonst1->Text();
    letter.sonst2 = EditSonst2->Text();
    letter.datum = edDatum->Text();
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
}

std::optional<std::string> TFrmMain::runOpenDialog()
{
    auto chosen = platform::userDialogs().openFile(letterDialog(FOpenDialogFileName));
    if (chosen)
        FOpenDialogFileName = *chosen;
    return chosen;
}

void TFrmMain::OeffnenExecute()
{
    bool failed = false;
    if (auto chosen = runOpenDialog()) {
        CurrentFile = *chosen;
        try {
            WindowSink sink(*this);
            files::ReadLetterFile(files::TLetterFileReader(platform::text::readTextFile(CurrentFile)), sink);
            for (TMemo* block : {MemoAbsender, MemoAnschrift, MemoMitteilung})
                block->ScrollToTop();
        } catch (const std::exception&) {
            failed = true;
        }
    }
    LetterSaved = true;
    SetPanelText(2, fileNameOf(CurrentFile));
    setWindowTitle(QString::fromStdString("Zettelino - [ " + CurrentFile + "]"));
    LastDir = platform::files::folderOf(FOpenDialogFileName);
    if (failed)
        platform::userDialogs().messageDlg(kOpenFailure, platform::TMsgDlgType::mtWarning, platform::mbOK);
}

void TFrmMain::OeffnenAltExecute()
{
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
        CurrentFile = *chosen;
        WindowSink sink(*this);
        if (layout == files::TOldLayout::Sectioned)
            files::ReadSectionedLetter(bytes, sink);
        else
            files::ReadFixedRecordLetter(bytes, sink);
        for (TMemo* block : {MemoAbsender, MemoAnschrift, MemoMitteilung})
            block->ScrollToTop();
        LetterSaved = true;
        SetPanelText(2, CurrentFile);
        LastDir = platform::files::folderOf(CurrentFile);
    } catch (const std::exception&) {
        // The older readers stay silent about every error.
    }
}

} // namespace zt::letter
