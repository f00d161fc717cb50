// Recovery copies: a running program's copy is its own, a crashed program's
// is offered once, and copies that cannot be read are set aside.

#include "files/LetterFile.h"
#include "files/RecoveryWriter.h"
#include "platform/text/TextFile.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace zt::files;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> letterLines(const std::string& subject)
{
    TLetterContent c;
    c.anschrift = {"Frau Muster"};
    c.mitteilung = {"Größe 5 €"};
    c.titel1 = subject;
    return LetterFileLines(c);
}

class Recovery : public ::testing::Test {
protected:
    std::string folder() const { return scratch.dir() + "zustand/"; }
    // A program that writes its copy and dies without a word, as in a kill -9.
    void crashWith(const std::string& subject, const std::string& currentFile)
    {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            auto* store = new TRecoveryStore(folder());
            store->Write(letterLines(subject), currentFile);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
    }
    std::size_t copies() const
    {
        std::size_t n = 0;
        for (const auto& e : fs::directory_iterator(folder()))
            n += e.path().extension() == ".ZLW" && e.path().filename().string().starts_with("kopie-");
        return n;
    }
    zt::testing::ScratchFolder scratch{"zt-recovery"};
};

TEST_F(Recovery, ARunningProgramsCopyIsNeverOfferedAndGoesWithIt)
{
    {
        TRecoveryWriter running(folder());
        running.Post(letterLines("läuft"), "/tmp/a.ZLW");
        running.Flush();
        EXPECT_EQ(copies(), 1u);
        TRecoveryStore other(folder());
        EXPECT_EQ(other.TakeOrphan(), nullptr);
        running.Remove();
        running.Flush();
        EXPECT_EQ(copies(), 0u);
        running.Post(letterLines("wieder"), "");
    }
    EXPECT_EQ(copies(), 0u); // the normal end removes it
}

TEST_F(Recovery, ACrashedProgramsCopyIsOfferedOnceWithItsFile)
{
    crashWith("verloren?", "/home/anna/Brief ä.ZLW");
    TRecoveryStore store(folder());
    const auto orphan = store.TakeOrphan();
    ASSERT_NE(orphan, nullptr);
    EXPECT_EQ(orphan->Lines(), letterLines("verloren?"));
    EXPECT_EQ(orphan->CurrentFile(), "/home/anna/Brief ä.ZLW");
    // Taken: a second program starting now does not offer it too.
    EXPECT_EQ(TRecoveryStore(folder()).TakeOrphan(), nullptr);
    orphan->Discard();
    EXPECT_EQ(copies(), 0u);
}

TEST_F(Recovery, ACopyNotTakenBecomesTheOnlyBackup)
{
    crashWith("erster", "");
    TRecoveryStore(folder()).TakeOrphan()->KeepAsBackup();
    crashWith("zweiter", "");
    TRecoveryStore store(folder());
    store.TakeOrphan()->KeepAsBackup();
    EXPECT_EQ(copies(), 0u);
    EXPECT_EQ(zt::platform::text::readTextFile(store.BackupPath()), letterLines("zweiter"));
    EXPECT_EQ(TRecoveryStore(folder()).TakeOrphan(), nullptr);
}

TEST_F(Recovery, ADamagedCopyIsSetAsideWithOneLine)
{
    fs::create_directories(folder());
    fs::permissions(folder(), fs::perms::owner_all);
    std::ofstream(folder() + "kopie-1-1.ZLW", std::ios::binary) << "ZLVersion=1.8\r\nAbsLines=9\r\n";
    std::string problems;
    EXPECT_EQ(TRecoveryStore(folder()).TakeOrphan(&problems), nullptr);
    EXPECT_EQ(std::count(problems.begin(), problems.end(), '\n'), 1) << problems;
    EXPECT_NE(problems.find("nicht lesbar"), std::string::npos);
    EXPECT_EQ(copies(), 0u);
    EXPECT_TRUE(fs::exists(folder() + "unlesbare-Sicherung.ZLW"));
    EXPECT_FALSE(fs::exists(folder() + "letzte-Sicherung.ZLW"));
}

TEST_F(Recovery, ADamagedCopyLeavesTheLastGoodBackupAlone)
{
    crashWith("gut", "/home/anna/gut.ZLW");
    TRecoveryStore(folder()).TakeOrphan()->KeepAsBackup();
    std::ofstream(folder() + "kopie-1-1.ZLW", std::ios::binary) << "ZLVersion=1.8\r\nAbsLines=9\r\n";
    std::string problems;
    TRecoveryStore store(folder());
    EXPECT_EQ(store.TakeOrphan(&problems), nullptr);
    EXPECT_NE(problems.find("nicht lesbar"), std::string::npos);
    EXPECT_EQ(zt::platform::text::readTextFile(store.BackupPath()), letterLines("gut"));
    EXPECT_EQ(zt::platform::text::readTextFile(folder() + "letzte-Sicherung.datei"),
              std::vector<std::string>{"/home/anna/gut.ZLW"});
    EXPECT_EQ(copies(), 0u);
}

TEST_F(Recovery, ACopyTakenOverGoesOnlyOnceThisProgramsCopyIsWritten)
{
    crashWith("erster", "");
    TRecoveryWriter writer(folder());
    auto orphan = writer.Store().TakeOrphan();
    ASSERT_NE(orphan, nullptr);
    writer.TakeOver(std::move(orphan));
    writer.Flush();
    EXPECT_EQ(copies(), 1u); // nothing of this program's on disk yet
    EXPECT_EQ(TRecoveryStore(folder()).TakeOrphan(), nullptr); // but still taken
    writer.Post(letterLines("erster"), "");
    writer.Flush();
    EXPECT_EQ(copies(), 1u);
    EXPECT_TRUE(writer.Store().HasCopy());

    // Taken over after this program's copy is already written: it goes at once.
    crashWith("zweiter", "");
    auto second = TRecoveryStore(folder()).TakeOrphan();
    ASSERT_NE(second, nullptr);
    writer.TakeOver(std::move(second));
    writer.Flush();
    EXPECT_EQ(copies(), 1u);
}

TEST_F(Recovery, AFolderThatCannotBeWrittenFailsClearly)
{
    std::ofstream(scratch.dir() + "datei") << "x";
    TRecoveryStore store(scratch.dir() + "datei/zustand/");
    EXPECT_THROW(store.Write(letterLines("x"), ""), zt::platform::PlatformError);
    EXPECT_EQ(store.TakeOrphan(), nullptr);
}

} // namespace
