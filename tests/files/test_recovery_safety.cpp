// Recovery copies hold unsaved letters, so their folder is the user's own:
// never a shared place, never one another user can write into, and no link
// planted in it is followed. A copy put in place survives a power cut.

#include "files/LetterFile.h"
#include "files/RecoveryStore.h"
#include "platform/core/PlatformError.h"
#include "platform/text/TextFile.h"
#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zt::files;
namespace fs = std::filesystem;

// --- what the program asks of the disk -------------------------------------
// The program's calls of fsync and rename come here first (the test binary's
// own definitions win over the C library's), so a test sees which folder was
// synced after which rename.

namespace {

std::mutex eventsMutex;
std::vector<std::string> events; // "rename NAME" and "sync-dir INODE"

void record(std::string event)
{
    std::lock_guard lock(eventsMutex);
    events.push_back(std::move(event));
}

template <typename F>
F real(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int fsync(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode))
        record("sync-dir " + std::to_string(st.st_ino));
    static const auto next = real<int (*)(int)>("fsync");
    return next(fd);
}

extern "C" int rename(const char* from, const char* to) noexcept
{
    record(std::string("rename ") + fs::path(to).filename().string());
    static const auto next = real<int (*)(const char*, const char*)>("rename");
    return next(from, to);
}

extern "C" int renameat(int fromDir, const char* from, int toDir, const char* to) noexcept
{
    record(std::string("rename ") + fs::path(to).filename().string());
    static const auto next = real<int (*)(int, const char*, int, const char*)>("renameat");
    return next(fromDir, from, toDir, to);
}

namespace {

std::vector<std::string> letterLines(const std::string& subject)
{
    TLetterContent c;
    c.mitteilung = {"nicht für andere Augen"};
    c.titel1 = subject;
    return LetterFileLines(c);
}

void put(const std::string& path, const std::vector<std::string>& lines)
{
    std::ofstream(path, std::ios::binary) << zt::platform::text::encodeLines(lines);
}

std::string content(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

using zt::testing::ScopedEnv;

class RecoverySafety : public ::testing::Test {
protected:
    std::string folder() const { return scratch.dir() + "zustand/"; }
    void makeFolder(fs::perms perms) const
    {
        fs::create_directory(folder());
        fs::permissions(folder(), perms);
    }
    // This program's copy: folder + "kopie-PID-TIME" (without extension).
    std::string ownBase() const
    {
        const std::string prefix = "kopie-" + std::to_string(::getpid()) + "-";
        for (const auto& e : fs::directory_iterator(folder())) {
            const std::string name = e.path().filename().string();
            if (name.starts_with(prefix) && name.ends_with(".ZLW"))
                return folder() + name.substr(0, name.size() - 4);
        }
        return {};
    }
    // A program that wrote its copy and died without a word.
    void crashWith(const std::string& subject)
    {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            (new TRecoveryStore(folder()))->Write(letterLines(subject), "");
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_EQ(WEXITSTATUS(status), 0);
    }
    zt::testing::ScratchFolder scratch{"zt-recovery-safety"};
};

TEST_F(RecoverySafety, WithoutAHomeFolderTheCopiesStayInAPlaceOfTheUsersOwn)
{
    ScopedEnv state("XDG_STATE_HOME", nullptr);
    ScopedEnv home("HOME", nullptr);
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/4711");
        EXPECT_EQ(RecoveryFolder(), "/run/user/4711/zettelino/");
    }
    ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
    const passwd* user = ::getpwuid(::getuid());
    std::string expected;
    if (user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/' && user->pw_dir[1] != '\0')
        expected = std::string(user->pw_dir) + "/.local/state/zettelino/";
    EXPECT_EQ(RecoveryFolder(), expected);
    EXPECT_FALSE(RecoveryFolder().starts_with("/tmp/"));
}

TEST_F(RecoverySafety, NoPlaceOfTheUsersOwnMeansNoCopies)
{
    TRecoveryStore store("");
    EXPECT_NO_THROW(store.Write(letterLines("x"), ""));
    EXPECT_FALSE(store.HasCopy());
    EXPECT_EQ(store.TakeOrphan(), nullptr);
}

TEST_F(RecoverySafety, ANewFolderIsTheUsersAlone)
{
    TRecoveryStore store(folder());
    store.Write(letterLines("neu"), "");
    struct stat st {};
    ASSERT_EQ(::lstat(folder().c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    EXPECT_EQ(st.st_uid, ::geteuid());
    ASSERT_FALSE(ownBase().empty());
    ASSERT_EQ(::lstat((ownBase() + ".ZLW").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u); // the letter is nobody else's to read
}

TEST_F(RecoverySafety, AFolderOthersCanWriteIntoIsNeitherWrittenNorRead)
{
    for (const fs::perms perms : {fs::perms::owner_all | fs::perms::group_all,
                                  fs::perms::owner_all | fs::perms::others_all | fs::perms::sticky_bit}) {
        SCOPED_TRACE(static_cast<int>(perms));
        fs::remove_all(folder());
        makeFolder(perms);
        put(folder() + "kopie-1-1.ZLW", letterLines("untergeschoben"));
        std::string problems;
        EXPECT_EQ(TRecoveryStore(folder()).TakeOrphan(&problems), nullptr);
        EXPECT_NE(problems.find(scratch.dir() + "zustand"), std::string::npos) << problems;
        EXPECT_TRUE(fs::exists(folder() + "kopie-1-1.ZLW")); // not taken, not moved
        EXPECT_FALSE(fs::exists(folder() + "kopie-1-1.lock"));
        TRecoveryStore store(folder());
        EXPECT_THROW(store.Write(letterLines("geheim"), ""), zt::platform::PlatformError);
        EXPECT_FALSE(store.HasCopy());
        EXPECT_TRUE(ownBase().empty());
        EXPECT_EQ(fs::status(folder()).permissions(), perms); // left as it was found
    }
}

TEST_F(RecoverySafety, AFolderOfAnotherUserIsNeitherWrittenNorRead)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can hand a folder to another user";
    makeFolder(fs::perms::owner_all);
    put(folder() + "kopie-1-1.ZLW", letterLines("fremd"));
    ASSERT_EQ(::chown(folder().c_str(), 65534, 65534), 0);
    std::string problems;
    EXPECT_EQ(TRecoveryStore(folder()).TakeOrphan(&problems), nullptr);
    EXPECT_NE(problems.find(scratch.dir() + "zustand"), std::string::npos) << problems;
    EXPECT_FALSE(fs::exists(folder() + "kopie-1-1.lock"));
    TRecoveryStore store(folder());
    EXPECT_THROW(store.Write(letterLines("geheim"), ""), zt::platform::PlatformError);
    EXPECT_TRUE(ownBase().empty());
}

TEST_F(RecoverySafety, AFolderThatIsALinkIsNotUsed)
{
    fs::create_directory(scratch.dir() + "woanders");
    fs::permissions(scratch.dir() + "woanders", fs::perms::owner_all);
    fs::create_directory_symlink(scratch.dir() + "woanders", scratch.dir() + "zustand");
    TRecoveryStore store(folder());
    EXPECT_THROW(store.Write(letterLines("geheim"), ""), zt::platform::PlatformError);
    EXPECT_TRUE(fs::is_empty(scratch.dir() + "woanders"));
}

TEST_F(RecoverySafety, ALinkPlantedAsACopyIsNotFollowed)
{
    makeFolder(fs::perms::owner_all);
    // A letter of the user's elsewhere, which a planted link would offer as the copy.
    put(scratch.dir() + "privat.ZLW", letterLines("privat"));
    fs::create_symlink(scratch.dir() + "privat.ZLW", folder() + "kopie-1-1.ZLW");
    std::string problems;
    EXPECT_EQ(TRecoveryStore(folder()).TakeOrphan(&problems), nullptr);
    EXPECT_EQ(std::count(problems.begin(), problems.end(), '\n'), 1) << problems;
    EXPECT_EQ(zt::platform::text::readTextFile(scratch.dir() + "privat.ZLW"), letterLines("privat"));
    EXPECT_FALSE(fs::exists(folder() + "letzte-Sicherung.ZLW"));
}

TEST_F(RecoverySafety, ALinkPlantedAsALockOrNameFileIsNotFollowed)
{
    makeFolder(fs::perms::owner_all);
    put(folder() + "kopie-1-1.ZLW", letterLines("eins"));
    fs::create_symlink(scratch.dir() + "angelegt", folder() + "kopie-1-1.lock");
    put(folder() + "kopie-2-2.ZLW", letterLines("zwei"));
    put(scratch.dir() + "name.txt", {"/home/anna/fremd.ZLW"});
    fs::create_symlink(scratch.dir() + "name.txt", folder() + "kopie-2-2.datei");
    std::string problems;
    const auto orphan = TRecoveryStore(folder()).TakeOrphan(&problems);
    EXPECT_FALSE(fs::exists(scratch.dir() + "angelegt")); // the lock made nothing out there
    ASSERT_NE(orphan, nullptr);
    EXPECT_EQ(orphan->Lines(), letterLines("zwei"));
    EXPECT_EQ(orphan->CurrentFile(), ""); // the name is not read through the link
    orphan->Discard();
    EXPECT_EQ(content(scratch.dir() + "name.txt"), "/home/anna/fremd.ZLW\r\n");
}

TEST_F(RecoverySafety, ALinkPlantedInPlaceOfThisProgramsCopyIsReplacedNotWrittenThrough)
{
    TRecoveryStore store(folder());
    store.Write(letterLines("erste"), "/home/anna/a.ZLW");
    const std::string base = ownBase();
    ASSERT_FALSE(base.empty());
    put(scratch.dir() + "opfer", {"unberührt"});
    for (const char* ext : {".ZLW", ".datei"}) {
        fs::remove(base + ext);
        fs::create_symlink(scratch.dir() + "opfer", base + ext);
    }
    store.Write(letterLines("zweite"), "/home/anna/b.ZLW");
    EXPECT_EQ(content(scratch.dir() + "opfer"), zt::platform::text::encodeLines({"unberührt"}));
    EXPECT_FALSE(fs::is_symlink(base + ".ZLW"));
    EXPECT_EQ(zt::platform::text::readTextFile(base + ".ZLW"), letterLines("zweite"));
    EXPECT_EQ(zt::platform::text::readTextFile(base + ".datei"), std::vector<std::string>{"/home/anna/b.ZLW"});
}

TEST_F(RecoverySafety, ALinkPlantedAsTheBackupIsReplacedNotWrittenThrough)
{
    crashWith("behalten");
    put(scratch.dir() + "opfer", {"unberührt"});
    fs::create_symlink(scratch.dir() + "opfer", folder() + "letzte-Sicherung.ZLW");
    TRecoveryStore store(folder());
    store.TakeOrphan()->KeepAsBackup();
    EXPECT_EQ(content(scratch.dir() + "opfer"), zt::platform::text::encodeLines({"unberührt"}));
    EXPECT_FALSE(fs::is_symlink(store.BackupPath()));
    EXPECT_EQ(zt::platform::text::readTextFile(store.BackupPath()), letterLines("behalten"));
}

// Whether every rename seen since `from` was followed by a sync of the folder.
::testing::AssertionResult renamesSynced(std::size_t from, const std::string& folder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        return ::testing::AssertionFailure() << "no folder " << folder;
    const std::string sync = "sync-dir " + std::to_string(st.st_ino);
    std::lock_guard lock(eventsMutex);
    std::string seen;
    bool renamed = false, unsynced = false;
    for (std::size_t i = from; i < events.size(); ++i) {
        seen += events[i] + "; ";
        if (events[i].starts_with("rename "))
            renamed = unsynced = true;
        else if (events[i] == sync)
            unsynced = false;
    }
    if (!renamed || unsynced)
        return ::testing::AssertionFailure() << "folder " << sync << ", seen: " << seen;
    return ::testing::AssertionSuccess();
}

std::size_t eventCount()
{
    std::lock_guard lock(eventsMutex);
    return events.size();
}

TEST_F(RecoverySafety, TheFolderIsSyncedAfterACopyIsPutInPlace)
{
    TRecoveryStore store(folder());
    std::size_t from = eventCount();
    store.Write(letterLines("erste"), "");
    EXPECT_TRUE(renamesSynced(from, folder()));
    from = eventCount();
    store.Write(letterLines("zweite"), "/home/anna/b.ZLW");
    EXPECT_TRUE(renamesSynced(from, folder()));
}

TEST_F(RecoverySafety, TheFolderIsSyncedAfterACopyIsKeptAsTheBackup)
{
    crashWith("behalten");
    const auto orphan = TRecoveryStore(folder()).TakeOrphan();
    ASSERT_NE(orphan, nullptr);
    const std::size_t from = eventCount();
    orphan->KeepAsBackup();
    EXPECT_TRUE(renamesSynced(from, folder()));
}

} // namespace
