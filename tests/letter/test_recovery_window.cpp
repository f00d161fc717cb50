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
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
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
    // A program that typed the letter, wrote its copy and was killed; its process ID.
    pid_t crashWith(const files::TLetterContent& letter, const std::string& currentFile)
    {
        const pid_t child = ::fork();
        if (child == 0) {
            (new files::TRecoveryStore(folder()))->Write(files::LetterFileLines(letter), currentFile);
            ::_exit(0);
        }
        ::waitpid(child, nullptr, 0);
        return child;
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
    files::TLetterContent c;
    c.mitteilung = {"nicht verloren"};
    ASSERT_GT(crashWith(c, "/home/anna/brief.ZLW"), 0);

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

// Every file written while it lives fails as on a full disk: writes beyond
// size 0 end in EFBIG.
class FullDisk {
public:
    FullDisk()
    {
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit none = old_;
        none.rlim_cur = 0;
        ::setrlimit(RLIMIT_FSIZE, &none);
    }
    ~FullDisk()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit old_{};
    void (*oldSignal_)(int) = nullptr;
};

TEST_F(RecoveryWindow, TheCrashedProgramsCopyStaysUntilThisProgramsCopyIsOnDisk)
{
    files::TLetterContent c;
    c.mitteilung = {"nicht verloren"};
    const pid_t child = crashWith(c, "");
    ASSERT_GT(child, 0);
    const auto crashedCopies = [&] {
        std::size_t n = 0;
        for (const auto& e : fs::directory_iterator(folder()))
            n += e.path().filename().string().starts_with("kopie-" + std::to_string(child) + "-") &&
                 e.path().extension() == ".ZLW";
        return n;
    };
    ASSERT_EQ(crashedCopies(), 1u);

    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    letter::TFrmMain& f = program.FrmMain();
    dialogs.answerMessage(platform::mrYes);
    {
        // This program's first copy fails: the crashed one still holds the letter.
        FullDisk full;
        program.OfferRecovery(folder(), false);
        f.Recovery()->Flush();
    }
    EXPECT_EQ(f.MemoMitteilung->Lines(), (std::vector<std::string>{"nicht verloren"}));
    EXPECT_FALSE(f.Recovery()->Store().HasCopy());
    EXPECT_EQ(crashedCopies(), 1u);
    // The next copy is written: now the crashed one goes.
    f.MemoMitteilung->setPlainText("nicht verloren, weiter");
    f.Recovery()->Post(files::LetterFileLines(f.LetterContent()), "");
    f.Recovery()->Flush();
    EXPECT_TRUE(f.Recovery()->Store().HasCopy());
    EXPECT_EQ(crashedCopies(), 0u);
    std::size_t copies = 0;
    for (const auto& e : fs::directory_iterator(folder()))
        copies += e.path().extension() == ".ZLW" && e.path().filename().string().starts_with("kopie-");
    EXPECT_EQ(copies, 1u);
}

TEST_F(RecoveryWindow, NoKeepsTheCopyAsTheBackupAndStartsEmpty)
{
    files::TLetterContent c;
    c.titel1 = "weg?";
    ASSERT_GT(crashWith(c, ""), 0);
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    dialogs.answerMessage(platform::mrNo);
    program.OfferRecovery(folder(), false);
    EXPECT_EQ(program.FrmMain().EditTitel1->Text(), "");
    EXPECT_TRUE(LetterSaved);
    EXPECT_TRUE(fs::exists(folder() + "letzte-Sicherung.ZLW"));
}

} // namespace
