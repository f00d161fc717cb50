#pragma once
// A fresh main window per test, offscreen, with scripted dialogs (held to
// their script when the test ends) and the program-wide state as at program
// start.

#include "letter/state/ProgramState.h"
#include "letter/window/TFrmMain.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "support/DialogScript.h"
#include "support/QtWidgetApp.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace zt::testing {

class LetterWindowTest : public ::testing::Test {
protected:
    LetterWindowTest() : scoped_(dialogs)
    {
        ensureWidgetApplication();
        letter::resetProgramState();
        frm = std::make_unique<letter::TFrmMain>();
    }

    // Shows the window at its designed client size and lets Qt lay it out.
    void showWindow()
    {
        frm->show();
        QApplication::processEvents();
        const int menu = frm->height() - frm->centralWidget()->height();
        frm->resize(letter::TFrmMain::kDesignedClientWidth, letter::TFrmMain::kDesignedClientHeight + menu);
        QApplication::processEvents();
        ASSERT_EQ(frm->centralWidget()->size(),
                  QSize(letter::TFrmMain::kDesignedClientWidth, letter::TFrmMain::kDesignedClientHeight));
    }

    platform::ScriptedDialogs dialogs;
    DialogScriptCheck scriptCheck_{dialogs};
    std::unique_ptr<letter::TFrmMain> frm;

private:
    platform::ScopedUserDialogs scoped_;
};

} // namespace zt::testing
