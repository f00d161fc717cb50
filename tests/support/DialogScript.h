#pragma once
// Holds a test to its dialog script: every dialog a command shows must have
// had its answer scripted (a box with only OK and the plain box too), each
// answer must be one of its box's buttons, and no answer may be left over.
// The batch tool takes the same scripted dialogs leniently; this strictness
// is the tests' own.

#include "platform/dialogs/ScriptedDialogs.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace zt::testing {

inline std::string describeDialog(const platform::DialogCall& c)
{
    using Kind = platform::DialogCall::Kind;
    switch (c.kind) {
    case Kind::Message:
        return std::string("message box \"") + platform::dialogCaption(c.type) + "\": " + c.text;
    case Kind::Plain: return "plain box: " + c.text;
    case Kind::Open: return "open dialog \"" + c.request.title + "\"";
    case Kind::Save: return "save dialog \"" + c.request.title + "\"";
    case Kind::Input: return "input box \"" + c.caption + "\": " + c.text;
    }
    return "dialog";
}

inline bool answerIsABoxButton(const platform::DialogCall& c)
{
    switch (c.answer) {
    case platform::mrOk: return (c.buttons & platform::mbOK) != 0;
    case platform::mrYes: return (c.buttons & platform::mbYes) != 0;
    case platform::mrNo: return (c.buttons & platform::mbNo) != 0;
    case platform::mrCancel: return (c.buttons & (platform::mbCancel | platform::mbClosedCancels)) != 0;
    case platform::mrNone: break;
    }
    return false;
}

// A failure for every dialog that found no answer or got one its box does
// not offer, and for answers left unused. A test stopped by a fatal failure
// leaves its later answers, so those are not counted against it.
inline void expectDialogScriptKept(const platform::ScriptedDialogs& dialogs)
{
    using Kind = platform::DialogCall::Kind;
    for (const platform::DialogCall& c : dialogs.calls()) {
        if (!c.scripted)
            ADD_FAILURE() << "no answer was scripted for the " << describeDialog(c);
        else if ((c.kind == Kind::Message || c.kind == Kind::Plain) && !answerIsABoxButton(c))
            ADD_FAILURE() << "the scripted answer " << c.answer << " is none of the buttons of the "
                          << describeDialog(c);
    }
    if (dialogs.unusedAnswers() > 0 && !::testing::Test::HasFatalFailure())
        ADD_FAILURE() << dialogs.unusedAnswers() << " scripted dialog answer(s) were never asked for";
}

// Checks the script when the test ends. Declare it after the dialogs, so it
// runs while they still hold what happened.
class DialogScriptCheck {
public:
    explicit DialogScriptCheck(const platform::ScriptedDialogs& dialogs) : dialogs_(dialogs) {}
    ~DialogScriptCheck() { expectDialogScriptKept(dialogs_); }
    DialogScriptCheck(const DialogScriptCheck&) = delete;
    DialogScriptCheck& operator=(const DialogScriptCheck&) = delete;

private:
    const platform::ScriptedDialogs& dialogs_;
};

} // namespace zt::testing
