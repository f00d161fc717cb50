#pragma once
// The user dialogs as real Qt dialogs, modal over the active window.

#include "platform/dialogs/UserDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QString>

namespace zt::platform::qt {

class QtDialogs final : public UserDialogs {
public:
    TModalResult messageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
    void showMessage(const std::string& text) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                          const std::string& value) override;
};

// Gives a message box its caption and text as accessible name and
// description, so a screen reader reads the message, not only the caption.
void readAloud(QMessageBox& box);

// "Desc|*.a;*.b|Desc2|*.c" as Qt name filters "Desc (*.a *.A *.b *.B);;Desc2 (*.c *.C)":
// each pattern in its own, lower and upper case.
QString qtNameFilters(const std::string& filter);

// A request's default extension without its pattern characters ("*.ZLW": "ZLW").
QString plainSuffix(const std::string& defaultExt);

// The dialog the open and save commands run (the caller owns it): Qt's own,
// with the request's filters, name and suffix; a save dialog's proposed
// name takes the extension of the type the user picks.
QFileDialog* makeFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode);

} // namespace zt::platform::qt
