#pragma once
// User dialogs that answer from a script instead of a person: the tests and
// the batch tool run window commands through them. Every call is recorded
// with the answer it got. A box with only OK (or the plain box) needs no
// script and is answered OK; any other question without a scripted answer
// is answered as if its box had been closed. Both count as unscripted, so a
// test can hold a command to the dialogs it expected.

#include "platform/dialogs/UserDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zt::platform {

struct DialogCall {
    enum class Kind { Message, Plain, Open, Save, Input };
    Kind kind = Kind::Message;
    std::string text;                 // message text, or the input box's prompt
    TMsgDlgType type = TMsgDlgType::mtInformation;
    TMsgDlgButtons buttons = 0;
    FileDialogRequest request;        // open and save dialogs
    std::string caption;              // input box
    bool scripted = true;             // false when no answer was waiting
    TModalResult answer = mrNone;     // what a message or plain box returned
};

class ScriptedDialogs final : public UserDialogs {
public:
    // The next message or plain box is answered with `answer`.
    void answerMessage(TModalResult answer);
    // The next message box is closed without a button.
    void closeMessage();
    void answerOpen(std::optional<std::string> path);
    void answerSave(std::optional<std::string> path);
    // A save answered with the name and the filter entry left chosen (1-based).
    void answerSave(std::optional<std::string> path, int filter);
    void answerInput(std::optional<std::string> value);

    const std::vector<DialogCall>& calls() const { return calls_; }
    // The calls of one kind, in order.
    std::vector<DialogCall> calls(DialogCall::Kind kind) const;
    // Dialogs that found no answer, and answers nobody asked for.
    std::size_t unscripted() const;
    std::size_t unusedAnswers() const;
    void clear();

    TModalResult messageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
    void showMessage(const std::string& text) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                          const std::string& value) override;

private:
    std::vector<DialogCall> calls_;
    std::deque<TModalResult> messages_; // mrNone: closed without a button
    std::deque<std::optional<std::string>> opens_;
    std::deque<std::optional<std::string>> saves_;
    std::deque<int> saveFilters_;
    std::deque<std::optional<std::string>> inputs_;
};

// Installs dialogs for the lifetime of the object and puts the previous ones back.
class ScopedUserDialogs {
public:
    explicit ScopedUserDialogs(UserDialogs& dialogs) : previous_(setUserDialogs(&dialogs)) {}
    ~ScopedUserDialogs() { setUserDialogs(previous_); }
    ScopedUserDialogs(const ScopedUserDialogs&) = delete;
    ScopedUserDialogs& operator=(const ScopedUserDialogs&) = delete;

private:
    UserDialogs* previous_;
};

} // namespace zt::platform
