// The window keeps a recovery copy of an unsaved letter and takes a crashed
// program's copy back after asking.

#include "LetterWindowFixture.h"
#include "app/Startup.h"
#include "files/LetterFile.h"
#include "files/RecoveryWriter.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "platform/text/TextFile.h"
#include "support/ScratchFolder.h"

#include <QAction>
#include <QTest>
#include <filesystem>
#include <sys/wait.h>

using namespace zt;
using letter::LetterSaved;
using platform::DialogCall;
namespace fs = std::filesystem;

namespace {

class RecoveryWindow : public zt::testing::LetterWindowTest {
protected:
    std::string folder() const { return scratch.dir() + "zustand/"; }
    // This window's copy, once its writer has done what it was asked.
    std::optional<std::vector<std::string>> copy()
    {
        frm->Recovery()->Flush();
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(folder(), ec))
            if (e.path().extension() == ".ZLW" && e.path().filename().string().starts_with("kopie-"))
                return platform::text::readTextFile(e.path().string());
        return std::nullopt;
    }
    bool holds(const std::vector<std::string>& lines, const std::string& line)
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    zt::testing::ScratchFolder scratch{"zt-recovery-window"};
};

TEST_F(RecoveryWindow, TypingLeavesACopyThatSavingAndNewTakeAway)
{
    frm->EnableRecovery(folder(), 20, 60000);
    frm->MemoAnschrift->setPlainText("Frau Muster");
    EXPECT_FALSE(copy()); // typing goes on: nothing written yet
    QTest::qWait(80);
    const auto written = copy();
    ASSERT_TRUE(written);
    EXPECT_TRUE(holds(*written, "Frau Muster"));
    // Saved: the copy goes (the letter file itself is Save's own).
    dialogs.answerSave(scratch.file("brief.ZLW"));
    dialogs.answerMessage(platform::mrOk);
    frm->Speichern->trigger();
    EXPECT_FALSE(copy());
    frm->EditTitel1->setFocus();
    QTest::keyClicks(frm->EditTitel1, "Betreff");
    QTest::qWait(80);
    ASSERT_TRUE(copy());
    dialogs.answerMessage(platform::mrNo);
    frm->Neu->trigger();
    EXPECT_FALSE(copy());
}

TEST_F(RecoveryWindow, TypingThatGoesOnIsCopiedEverySoOften)
{
    frm->EnableRecovery(folder(), 60000, 0);
    frm->MemoMitteilung->setPlainText("erste Zeile");
    const auto written = copy();
    ASSERT_TRUE(written);
    EXPECT_TRUE(holds(*written, "erste Zeile"));
}

TEST_F(RecoveryWindow, ACrashedProgramsLetterComesBackAfterTheQuestion)
{
    // A program that typed and was killed.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        files::TLetterContent c;
        c.mitteilung = {"nicht verloren"};
        auto* store = new files::TRecoveryStore(folder());
        store->Write(files::LetterFileLines(c), "/home/anna/brief.ZLW");
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);

    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    dialogs.answerMessage(platform::mrYes);
    program.OfferRecovery(folder(), false);
    const auto asked = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, app::kRecoveryQuestion);
    EXPECT_EQ(asked[0].buttons, platform::mbYes | platform::mbNo);
    letter::TFrmMain& f = program.FrmMain();
    EXPECT_EQ(f.MemoMitteilung->Lines(), (std::vector<std::string>{"nicht verloren"}));
    EXPECT_EQ(letter::CurrentFile, "/home/anna/brief.ZLW");
    EXPECT_EQ(f.windowTitle().toStdString(), "Zettelino - [ /home/anna/brief.ZLW]");
    EXPECT_EQ(f.PanelText(2), "brief.ZLW");
    EXPECT_FALSE(LetterSaved);
    // Now this program's own copy holds it; the crashed one's is gone.
    f.Recovery()->Flush();
    std::size_t copies = 0;
    for (const auto& e : fs::directory_iterator(folder()))
        copies += e.path().extension() == ".ZLW" && e.path().filename().string().starts_with("kopie-");
    EXPECT_EQ(copies, 1u);
}

TEST_F(RecoveryWindow, NoKeepsTheCopyAsTheBackupAndStartsEmpty)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        files::TLetterContent c;
        c.titel1 = "weg?";
        (new files::TRecoveryStore(folder()))->Write(files::LetterFileLines(c), "");
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    dialogs.answerMessage(platform::mrNo);
    program.OfferRecovery(folder(), false);
    EXPECT_EQ(program.FrmMain().EditTitel1->Text(), "");
    EXPECT_TRUE(LetterSaved);
    EXPECT_TRUE(fs::exists(folder() + "letzte-Sicherung.ZLW"));
}

} // namespace
