// The letter window on a desktop scaled by two: on a 1280 x 1024 screen
// (640 x 512 of the program's pixels) neither its designed size nor stored
// bounds larger than the screen put the status bar or the right column out
// of reach.

#include "app/Startup.h"
#include "letter/state/ProgramState.h"
#include "letter/window/TFrmMain.h"
#include "letter/controls/TEdit.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "support/DialogScript.h"
#include "support/OffscreenScreen.h"
#include "support/QtWidgetApp.h"
#include "support/ScratchFolder.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

using namespace zt;

namespace {

// Before the application exists.
const bool kScaledScreen = [] {
    return zt::testing::useOffscreenScreen(1280, 1024) && ::setenv("QT_SCALE_FACTOR", "2", 1) == 0;
}();

class ScaledWindow : public ::testing::Test {
protected:
    ScaledWindow() : scoped_(dialogs)
    {
        zt::testing::ensureWidgetApplication();
        letter::resetProgramState();
    }

    // Every control a user needs lies whole on the screen.
    static void expectInReach(letter::TFrmMain& frm)
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(area.contains(frm.frameGeometry()))
            << frm.frameGeometry().x() << "," << frm.frameGeometry().y() << " " << frm.frameGeometry().width()
            << "x" << frm.frameGeometry().height();
        for (QWidget* w : std::initializer_list<QWidget*>{frm.StatusBar1, frm.cbEntscheidung, frm.EditSonst1,
                                                          frm.EditSonst2, frm.SBDatum, frm.edDatum}) {
            const QRect global(w->mapToGlobal(QPoint(0, 0)), w->size());
            EXPECT_TRUE(area.contains(global)) << w->objectName().toStdString();
        }
    }

    zt::testing::ScratchFolder scratch{"zt-scaled"};
    platform::ScriptedDialogs dialogs;
    zt::testing::DialogScriptCheck scriptCheck_{dialogs};

private:
    platform::ScopedUserDialogs scoped_;
};

TEST_F(ScaledWindow, WithoutSettingsTheWindowFitsTheScreen)
{
    ASSERT_TRUE(kScaledScreen);
    ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(640, 512));
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    letter::TFrmMain& frm = program.FrmMain();
    frm.show();
    QApplication::processEvents();
    expectInReach(frm);
    frm.hide();
}

TEST_F(ScaledWindow, StoredBoundsLargerThanTheScreenAreFittedIntoIt)
{
    std::ofstream(scratch.dir() + "ZLW.INI") << "[foMain]\nleft=400\ntop=300\nheight=900\nwidth=1000\n";
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    letter::TFrmMain& frm = program.FrmMain();
    frm.show();
    QApplication::processEvents();
    expectInReach(frm);
    EXPECT_EQ(frm.Width(), 640);
    EXPECT_EQ(frm.Height(), 512);
    frm.hide();
}

TEST_F(ScaledWindow, StoredBoundsThatFitStayAsTheyAre)
{
    std::ofstream(scratch.dir() + "ZLW.INI") << "[foMain]\nleft=5\ntop=6\nheight=500\nwidth=630\n";
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    const letter::TFrmMain& frm = program.FrmMain();
    EXPECT_EQ(frm.frameGeometry(), QRect(5, 6, 630, 500));
}

} // namespace
