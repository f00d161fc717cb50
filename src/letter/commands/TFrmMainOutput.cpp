// The plain-text rendering and its hand-offs to the text editor, the mail
// program and Word.

#include "letter/window/TFrmMain.h"

#include "letter/controls/TMemo.h"
#include "output/PlainText.h"
#include "output/WordHandOff.h"
#include "platform/automation/Automation.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/files/PrivateFolder.h"
#include "platform/shell/Shell.h"
#include "platform/text/TextFile.h"

namespace zt::letter {

namespace {

constexpr const char* kPlainTextFile = "_zlwmitt.txt";
constexpr const char* kPlainTextFolderPrefix = "zettelino-editor-";
constexpr int kPlainTextFolderHours = 24;
constexpr const char* kNoEditor = "Für Textdateien ist kein Editor eingerichtet.\n"
                                  "Bitte legen Sie in den Einstellungen Ihrer Arbeitsumgebung ein Programm für "
                                  "Textdateien fest.";
constexpr const char* kNoMessage = "Bitte geben Sie zuerst eine Mitteilung ein.";

bool messageGiven(const TFrmMain& f)
{
    if (f.MemoMitteilung->LineCount() > 0)
        return true;
    platform::userDialogs().messageDlg(kNoMessage, platform::TMsgDlgType::mtInformation, platform::mbOK);
    return false;
}

// An error box with an OK button.
constexpr auto errorBox = platform::showApplicationError;

} // namespace

void TFrmMain::FillPlainText()
{
    const output::TWindowlessLetter shown = ShownLetter();
    Memo1->clear();
    Memo1->SetLines(output::PlainTextLines(shown.content, shown.labels));
}

std::string TFrmMain::PlainTextPath()
{
    if (!PrivatePlainText)
        return kPlainTextFile;
    if (!FPlainTextFolder) {
        // One folder for the run, left for the editor that may still show
        // the file when the program ends; earlier runs' go after a day.
        platform::files::PrivateFolder::removeStale(kPlainTextFolderPrefix, kPlainTextFolderHours);
        FPlainTextFolder = std::make_unique<platform::files::PrivateFolder>(kPlainTextFolderPrefix);
        FPlainTextFolder->keep();
    }
    return FPlainTextFolder->path() + kPlainTextFile;
}

std::string TFrmMain::RenderPlainText()
{
    FillPlainText();
    std::string path = PlainTextPath();
    platform::text::writeTextFile(path, Memo1->TextLines());
    return path;
}

void TFrmMain::EditorExecute()
{
    if (!messageGiven(*this))
        return;
    // The opener runs on its own and its failure never reaches us: a
    // desktop without any program for text says so here instead of nothing.
    if (TextEditorKnown && !TextEditorKnown()) {
        platform::userDialogs().messageDlg(kNoEditor, platform::TMsgDlgType::mtWarning, platform::mbOK);
        return;
    }
    try {
        platform::shell().open(RenderPlainText());
    } catch (const std::exception&) {
        errorBox("Fehler beim Starten des Standard-Texteditors.");
    }
}

void TFrmMain::EMailExecute()
{
    if (!messageGiven(*this))
        return;
    try {
        RenderPlainText();
        platform::shell().open(std::string("MAILTO: ") + kMailRecipient);
    } catch (const std::exception&) {
        errorBox("Fehler beim Starten der E-Mail-Anwendung.");
    }
}

void TFrmMain::WordExecute()
{
    if (!messageGiven(*this))
        return;
    platform::TAutomationRef word;
    try {
        word = platform::CreateOleObject(output::kWordProgId);
    } catch (const std::exception& e) {
        errorBox(std::string("Fehler beim Starten von MS-Word.\n") + e.what());
        return;
    }
    // Errors from here on are not caught: the general error box shows them.
    RenderPlainText();
    output::TypeIntoWord(word, Memo1->Lines());
}

} // namespace zt::letter
