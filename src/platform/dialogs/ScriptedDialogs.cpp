#include "platform/dialogs/ScriptedDialogs.h"

#include <utility>

namespace zt::platform {

namespace {

template <typename T>
std::optional<T> take(std::deque<T>& queue)
{
    if (queue.empty())
        return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

void ScriptedDialogs::answerMessage(TModalResult answer) { messages_.push_back(answer); }
void ScriptedDialogs::closeMessage() { messages_.push_back(mrNone); }
void ScriptedDialogs::answerOpen(std::optional<std::string> path) { opens_.push_back(std::move(path)); }
void ScriptedDialogs::answerSave(std::optional<std::string> path)
{
    answerSave(std::move(path), 1);
}

void ScriptedDialogs::answerSave(std::optional<std::string> path, int filter)
{
    saves_.push_back(std::move(path));
    saveFilters_.push_back(filter);
}
void ScriptedDialogs::answerInput(std::optional<std::string> value) { inputs_.push_back(std::move(value)); }

std::vector<DialogCall> ScriptedDialogs::calls(DialogCall::Kind kind) const
{
    std::vector<DialogCall> out;
    for (const DialogCall& c : calls_)
        if (c.kind == kind)
            out.push_back(c);
    return out;
}

std::size_t ScriptedDialogs::unscripted() const
{
    std::size_t n = 0;
    for (const DialogCall& c : calls_)
        n += c.scripted ? 0 : 1;
    return n;
}

std::size_t ScriptedDialogs::unusedAnswers() const
{
    return messages_.size() + opens_.size() + saves_.size() + inputs_.size();
}

void ScriptedDialogs::clear()
{
    calls_.clear();
    messages_.clear();
    opens_.clear();
    saves_.clear();
    saveFilters_.clear();
    inputs_.clear();
}

TModalResult ScriptedDialogs::messageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    const std::optional<TModalResult> scripted = take(messages_);
    const TModalResult answer = scripted.value_or(mrNone) != mrNone ? *scripted : closedAnswer(buttons);
    calls_.push_back({DialogCall::Kind::Message, text, type, buttons, {}, {}, scripted.has_value(), answer});
    return answer;
}

void ScriptedDialogs::showMessage(const std::string& text)
{
    const std::optional<TModalResult> scripted = take(messages_);
    const TModalResult answer = scripted.value_or(mrNone) != mrNone ? *scripted : mrOk;
    calls_.push_back({DialogCall::Kind::Plain, text, TMsgDlgType::mtInformation, mbOK, {}, {}, scripted.has_value(),
                      answer});
}

std::optional<std::string> ScriptedDialogs::openFile(const FileDialogRequest& request)
{
    auto answer = take(opens_);
    calls_.push_back(
        {DialogCall::Kind::Open, {}, TMsgDlgType::mtInformation, 0, request, {}, answer.has_value(), mrNone});
    return answer.value_or(std::nullopt);
}

std::optional<std::string> ScriptedDialogs::saveFile(const FileDialogRequest& request)
{
    if (!saveFilters_.empty()) {
        if (request.chosenFilter != nullptr && !saves_.empty())
            *request.chosenFilter = saveFilters_.front();
        if (!saves_.empty())
            saveFilters_.pop_front();
    }
    auto answer = take(saves_);
    calls_.push_back(
        {DialogCall::Kind::Save, {}, TMsgDlgType::mtInformation, 0, request, {}, answer.has_value(), mrNone});
    return answer.value_or(std::nullopt);
}

std::optional<std::string> ScriptedDialogs::inputQuery(const std::string& caption, const std::string& prompt,
                                                       const std::string&)
{
    auto answer = take(inputs_);
    calls_.push_back(
        {DialogCall::Kind::Input, prompt, TMsgDlgType::mtInformation, 0, {}, caption, answer.has_value(), mrNone});
    return answer.value_or(std::nullopt);
}

} // namespace zt::platform
