// Closing the window with an unsaved letter asks first, whichever way the
// close comes: the close box, "Beenden" or a termination signal.

#include "LetterWindowFixture.h"
#include "app/SignalClose.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "platform/files/FileAccess.h"
#include "support/ScratchFolder.h"

#include <QAction>
#include <QElapsedTimer>
#include <csignal>
#include <fstream>
#include <sys/stat.h>

using namespace zt;
using letter::CurrentFile;
using letter::LetterSaved;
using platform::DialogCall;

namespace {

constexpr const char* kQuestion =
    "Die Kurzmitteilung wurde noch nicht gespeichert.\nMöchten Sie sie zuerst speichern?";

class ClosingTest : public zt::testing::LetterWindowTest {
protected:
    void SetUp() override
    {
        showWindow();
        frm->MemoAbsender->SetText("Max Muster");
        ASSERT_FALSE(LetterSaved);
    }

    // The questions asked so far.
    std::vector<DialogCall> questions() const
    {
        std::vector<DialogCall> asked;
        for (const DialogCall& c : dialogs.calls(DialogCall::Kind::Message))
            if (c.text == kQuestion)
                asked.push_back(c);
        return asked;
    }

    zt::testing::ScratchFolder scratch{"zt-closing"};
};

} // namespace

TEST_F(ClosingTest, ASavedLetterClosesWithoutAQuestion)
{
    LetterSaved = true;
    EXPECT_TRUE(frm->close());
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(ClosingTest, AnUnsavedLetterAsksWithYesNoAndCancelAndCancelKeepsTheWindow)
{
    dialogs.answerMessage(platform::mrCancel);
    EXPECT_FALSE(frm->close());
    EXPECT_TRUE(frm->isVisible());
    const auto asked = questions();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].type, platform::TMsgDlgType::mtWarning);
    EXPECT_EQ(asked[0].buttons, platform::mbYes | platform::mbNo | platform::mbCancel);
    EXPECT_EQ(frm->MemoAbsender->Text(), "Max Muster");

    // The box closed without a button keeps the window too.
    dialogs.closeMessage();
    EXPECT_FALSE(frm->close());
    EXPECT_TRUE(frm->isVisible());
}

TEST_F(ClosingTest, NoClosesWithoutSaving)
{
    dialogs.answerMessage(platform::mrNo);
    EXPECT_TRUE(frm->close());
    EXPECT_TRUE(dialogs.calls(DialogCall::Kind::Save).empty());
}

TEST_F(ClosingTest, YesSavesAndClosesOnlyWhenTheSaveWentThrough)
{
    // The save dialog cancelled: nothing saved, the window stays.
    dialogs.answerMessage(platform::mrYes);
    dialogs.answerSave(std::nullopt);
    EXPECT_FALSE(frm->close());
    EXPECT_EQ(dialogs.calls(DialogCall::Kind::Save).size(), 1u);

    // A file that cannot be written: the general error box, the window stays.
    const std::string locked = scratch.file("gesperrt.ZLW");
    std::ofstream(locked) << "vorher";
    ::chmod(locked.c_str(), 0444);
    dialogs.answerMessage(platform::mrYes);
    dialogs.answerSave(locked);
    dialogs.answerMessage(platform::mrOk);
    EXPECT_FALSE(frm->close());
    const DialogCall error = dialogs.calls(DialogCall::Kind::Message).back();
    EXPECT_EQ(error.type, platform::TMsgDlgType::mtError);
    EXPECT_NE(error.text.find("gesperrt.ZLW"), std::string::npos) << error.text;
    EXPECT_EQ(platform::files::readFileBytes(locked), "vorher");

    // Once the file can be written: saved there, then closed.
    ::chmod(locked.c_str(), 0644);
    dialogs.answerMessage(platform::mrYes);
    dialogs.answerMessage(platform::mrOk); // "... wurde gespeichert."
    EXPECT_TRUE(frm->close());
    EXPECT_NE(platform::files::readFileBytes(locked).find("Max Muster"), std::string::npos);
    EXPECT_EQ(questions().size(), 3u);
    EXPECT_EQ(dialogs.calls(DialogCall::Kind::Message).back().text,
              "Zettelino \"" + locked + "\" wurde gespeichert.");
}

TEST_F(ClosingTest, YesWithAFileAlreadyChosenSavesInPlace)
{
    CurrentFile = scratch.file("offen.ZLW");
    dialogs.answerMessage(platform::mrYes);
    dialogs.answerMessage(platform::mrOk); // "... wurde gespeichert."
    EXPECT_TRUE(frm->close());
    EXPECT_TRUE(dialogs.calls(DialogCall::Kind::Save).empty());
    EXPECT_EQ(dialogs.calls(DialogCall::Kind::Message).back().text,
              "Zettelino \"" + scratch.file("offen.ZLW") + "\" wurde gespeichert.");
    EXPECT_NE(platform::files::readFileBytes(CurrentFile).find("Max Muster"), std::string::npos);
}

TEST_F(ClosingTest, BeendenAsksTheSameQuestion)
{
    dialogs.answerMessage(platform::mrCancel);
    frm->Beenden1->trigger();
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(questions().size(), 1u);
    dialogs.answerMessage(platform::mrNo);
    frm->Beenden1->trigger();
    EXPECT_FALSE(frm->isVisible());
}

TEST_F(ClosingTest, ATerminationSignalAsksTooAndCancelKeepsTheProgramRunning)
{
    app::closeOnTerminationSignals(frm.get());
    dialogs.answerMessage(platform::mrCancel);
    ::raise(SIGTERM);
    QElapsedTimer waited;
    waited.start();
    while (questions().empty() && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(questions().size(), 1u);
    EXPECT_TRUE(frm->isVisible());
}
