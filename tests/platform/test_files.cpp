#include "platform/core/PlatformError.h"
#include "platform/files/FileAccess.h"
#include "platform/files/TempFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zt::platform;
using namespace zt::platform::files;
namespace fs = std::filesystem;

namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = fs::temp_directory_path().string() + "/zt-files-XXXXXX";
        dir_ = std::string(::mkdtemp(pattern.data())) + "/";
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    std::string dir_;
};

} // namespace

TEST_F(FilesTest, TempFileIsPrivateUniqueAndRemovedByItsOwner)
{
    std::string path;
    {
        TempFile a("QRP", dir_);
        TempFile b("QRP", dir_);
        path = a.path();
        EXPECT_NE(a.path(), b.path());
        EXPECT_EQ(fs::path(a.path()).filename().string().substr(0, 3), "QRP");
        struct stat st {};
        ASSERT_EQ(::stat(a.path().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
        EXPECT_EQ(entries(), 2u);
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(entries(), 0u);
}

TEST_F(FilesTest, TempFilePositionedReadsAndWrites)
{
    TempFile t("QRP", dir_);
    t.writeAt(0, "abcdef", 6);
    t.writeAt(3, "XY", 2);
    char buf[16] = {};
    EXPECT_EQ(t.readAt(0, buf, sizeof buf), 6u);
    EXPECT_EQ(std::string(buf, 6), "abcXYf");
    EXPECT_EQ(t.size(), 6u);
    t.truncate(2);
    EXPECT_EQ(t.readAt(0, buf, sizeof buf), 2u);
    TempFile moved = std::move(t);
    EXPECT_EQ(moved.size(), 2u);
}

TEST_F(FilesTest, TempFileInMissingFolderFailsWithTheSystemMessage)
{
    try {
        TempFile t("QRP", dir_ + "missing/");
        FAIL() << "created " << t.path();
    } catch (const PlatformError& e) {
        EXPECT_NE(std::string(e.what()).find("Datei oder Verzeichnis nicht gefunden"), std::string::npos);
    }
}

TEST_F(FilesTest, AtomicWriteReplacesTheFileAndKeepsItsMode)
{
    const std::string path = dir_ + "brief.ZLW";
    writeFileAtomically(path, "one");
    ::chmod(path.c_str(), 0640);
    writeFileAtomically(path, "two");
    EXPECT_EQ(readFileBytes(path), "two");
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), 1u) << "no temporary file is left behind";
}

TEST_F(FilesTest, FailedWriteLeavesThePreviousFileWhole)
{
    const std::string path = dir_ + "brief.ZLW";
    writeFileAtomically(path, "previous");
    ::chmod(path.c_str(), 0444);
    EXPECT_THROW(writeFileAtomically(path, "new"), PlatformError);
    EXPECT_EQ(readFileBytes(path), "previous");
    EXPECT_THROW(writeFileAtomically(dir_ + "no/such/folder.txt", "x"), PlatformError);
    EXPECT_THROW(writeFileAtomically(dir_, "x"), PlatformError);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FilesTest, AtomicWriteThroughASymbolicLinkReplacesItsTarget)
{
    const std::string target = dir_ + "real.txt";
    writeFileAtomically(target, "a");
    fs::create_symlink(target, dir_ + "link.txt");
    writeFileAtomically(dir_ + "link.txt", "b");
    EXPECT_TRUE(fs::is_symlink(dir_ + "link.txt"));
    EXPECT_EQ(readFileBytes(target), "b");
}

TEST_F(FilesTest, ExclusiveOpenTest)
{
    const std::string path = dir_ + "report.QRP";
    EXPECT_FALSE(canOpenExclusively(path)) << "missing file";
    writeFileAtomically(path, "x");
    EXPECT_TRUE(canOpenExclusively(path));

    const int holder = ::open(path.c_str(), O_RDWR);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    // flock locks are per open file description, so our own second open conflicts.
    EXPECT_FALSE(canOpenExclusively(path)) << "locked by another opener";
    ::close(holder);
    EXPECT_TRUE(canOpenExclusively(path));

    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(canOpenExclusively(path)) << "read-only";
}

TEST(FileNames, FolderOfAPath)
{
    EXPECT_EQ(folderOf("/home/a/brief.ZLW"), "/home/a/");
    EXPECT_EQ(folderOf("brief.ZLW"), "");
    EXPECT_EQ(folderOf("/x"), "/");
    EXPECT_EQ(zt::platform::files::fileNameOf("/home/a/brief.ZLW"), "brief.ZLW");
    EXPECT_EQ(zt::platform::files::fileNameOf("brief.ZLW"), "brief.ZLW");
    EXPECT_EQ(zt::platform::files::fileNameOf("/home/a/"), "");
}
