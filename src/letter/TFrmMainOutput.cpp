// The plain-text rendering and its hand-offs to the text editor, the mail
// program and Word.

#include "letter/TFrmMain.h"

#include "letter/controls/TMemo.h"
#include "output/PlainText.h"
#include "output/WordHandOff.h"
#include "platform/automation/Automation.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/shell/Shell.h"
#include "platform/text/TextFile.h"

namespace zt::letter {

namespace {

constexpr const char* kPlainTextFile = "_zlwmitt.txt";
constexpr const char* kNoMessage = "Bitte geben Sie zuerst eine Mitteilung ein.";

bool messageGiven(const TFrmMain& f)
{
    if (f.MemoMitteilung->LineCount() > 0)
        return true;
    platform::userDialogs().messageDlg(kNoMessage, platform::TMsgDlgType::mtInformation, platform::mbOK);
    return false;
}

void errorBox(const std::string& text)
{
    platform::userDialogs().messageDlg(text, platform::TMsgDlgType::mtError, platform::mbOK);
}

} // namespace

void TFrmMain::FillPlainText()
{
    const output::TWindowlessLetter shown = ShownLetter();
    Memo1->clear();
    Memo1->SetLines(output::PlainTextLines(shown.content, shown.labels));
}

void TFrmMain::RenderPlainText()
{
    FillPlainText();
    platform::text::writeTextFile(kPlainTextFile, Memo1->TextLines());
}

void TFrmMain::EditorExecute()
{
    if (!messageGiven(*this))
        return;
    try {
        RenderPlainText();
        platform::shell().open(kPlainTextFile);
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
