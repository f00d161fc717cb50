#include "platform/dialogs/UserDialogs.h"

#include "platform/core/PlatformError.h"

#include <utility>

namespace zt::platform {

namespace {

class NoDialogs final : public UserDialogs {
public:
    TModalResult messageDlg(const std::string& text, TMsgDlgType, TMsgDlgButtons) override { fail(text); }
    void showMessage(const std::string& text) override { fail(text); }
    std::optional<std::string> openFile(const FileDialogRequest& r) override { fail(r.title); }
    std::optional<std::string> saveFile(const FileDialogRequest& r) override { fail(r.title); }
    std::optional<std::string> inputQuery(const std::string& caption, const std::string&,
                                          const std::string&) override
    {
        fail(caption);
    }

private:
    [[noreturn]] static void fail(const std::string& what)
    {
        throw PlatformError(ErrorKind::InternalFault, "No user dialogs are available to show: " + what);
    }
};

NoDialogs gNoDialogs;
UserDialogs* gDialogs = nullptr;
std::string gTitle;

} // namespace

const char* dialogCaption(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return "Warnung";
    case TMsgDlgType::mtError: return "Fehler";
    case TMsgDlgType::mtInformation: return "Informationen";
    case TMsgDlgType::mtConfirmation: return "Bestätigen";
    }
    return "";
}

const char* buttonCaption(TMsgDlgBtn button)
{
    switch (button) {
    case mbYes: return "&Ja";
    case mbNo: return "&Nein";
    case mbOK: return "OK";
    case mbCancel: return "Abbrechen";
    case mbClosedCancels: break; // not a button
    }
    return "";
}

TModalResult closedAnswer(TMsgDlgButtons buttons)
{
    if (buttons & (mbCancel | mbClosedCancels))
        return mrCancel;
    if (buttons & mbNo)
        return mrNo;
    if (buttons & mbOK)
        return mrOk;
    return mrCancel;
}

UserDialogs& userDialogs()
{
    return gDialogs ? *gDialogs : gNoDialogs;
}

UserDialogs* setUserDialogs(UserDialogs* dialogs)
{
    return std::exchange(gDialogs, dialogs);
}

const std::string& applicationTitle()
{
    return gTitle;
}

void setApplicationTitle(std::string title)
{
    gTitle = std::move(title);
}

void showApplicationError(const std::string& message)
{
    userDialogs().messageDlg(message, TMsgDlgType::mtError, mbOK);
}

} // namespace zt::platform
