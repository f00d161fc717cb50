#pragma once
// The user dialogs the program asks its questions through: message boxes,
// the plain box under the application title, file dialogs and an input box.
// Window code calls the process-wide instance; the Qt implementation shows
// real dialogs and tests install scripted answers.

#include <optional>
#include <string>

namespace zt::platform {

// The kinds of message box; each carries its German caption.
enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

// Buttons as a set of flags, in the order a box shows them.
enum TMsgDlgBtn : unsigned {
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    // Not a button: the box closed without one (Escape, close box) answers
    // mrCancel, for a question whose buttons all let the work go somehow.
    mbClosedCancels = 1u << 4,
};
using TMsgDlgButtons = unsigned;

// What a message box returns; a box closed without a button gives the
// answer of its cancelling button (Cancel, else No, else OK), or mrCancel
// with mbClosedCancels.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// "Warnung", "Fehler", "Informationen", "Bestätigen".
const char* dialogCaption(TMsgDlgType type);
// "&Ja", "&Nein", "OK", "Abbrechen"; one flag at a time.
const char* buttonCaption(TMsgDlgBtn button);
// The answer a box gives when it is closed without pressing a button.
TModalResult closedAnswer(TMsgDlgButtons buttons);

// An open or save dialog. The filter is written "description|pattern[;pattern]"
// pairs separated by "|", as the program's dialogs declare them.
struct FileDialogRequest {
    std::string title;
    std::string filter;
    std::string initialDir;
    std::string fileName;         // the name the dialog starts with (its last one)
    std::string defaultExt;       // added to a name typed without extension
    bool overwritePrompt = false; // the save dialog asks before replacing a file
    int* chosenFilter = nullptr;  // when set, receives the 1-based filter entry the user left chosen
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    virtual TModalResult messageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;
    // A plain box with an OK button, titled with the application title.
    virtual void showMessage(const std::string& text) = 0;
    // The chosen file's full path, or nullopt when the dialog was cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    // The edited value, or nullopt when the box was cancelled.
    virtual std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                                  const std::string& value) = 0;
};

// The process-wide dialogs. Without an installed instance every call throws
// a PlatformError: a question nobody can answer must not pass silently.
UserDialogs& userDialogs();
// Installs `dialogs` (not owned; nullptr uninstalls) and returns the previous one.
UserDialogs* setUserDialogs(UserDialogs* dialogs);

// The title of plain message boxes and the task bar.
const std::string& applicationTitle();
void setApplicationTitle(std::string title);

// The application's general error box: an error box with the message and an
// OK button, for errors a command does not catch itself.
void showApplicationError(const std::string& message);

} // namespace zt::platform
