#include "platform/core/PlatformError.h"
#include "platform/files/FileAccess.h"
#include "platform/profile/ProfileFile.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace zt::platform;

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/zt-profile-XXXXXX";
        dir_ = std::string(::mkdtemp(pattern.data())) + "/";
    }
    void TearDown() override
    {
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir_);
    }
    std::string write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(dir_ + name, std::ios::binary) << bytes;
        return dir_ + name;
    }
    std::string dir_;
};

} // namespace

TEST(DecimalInt, OnlyWholeDecimalNumbersCount)
{
    EXPECT_EQ(parseDecimalInt("10"), 10);
    EXPECT_EQ(parseDecimalInt(" -25 "), -25);
    EXPECT_EQ(parseDecimalInt("+7"), 7);
    EXPECT_EQ(parseDecimalInt("2147483647"), 2147483647);
    for (const char* bad : {"", " ", "abc", "12px", "1.5", "0x10", "$10", "2147483648", "+-1", "- 1", "++1"})
        EXPECT_FALSE(parseDecimalInt(bad).has_value()) << bad;
}

TEST_F(ProfileFileTest, MissingFileIsAnEmptyProfile)
{
    const ProfileFile ini(dir_ + "ZLW.INI");
    EXPECT_EQ(ini.readString("Setup", "path_data", "C:\\"), "C:\\");
    EXPECT_EQ(ini.readInteger("foMain", "left", 10), 10);
}

TEST_F(ProfileFileTest, MissingEmptyAndNonNumericValues)
{
    const ProfileFile ini(write("ZLW.INI",
                                "[Setup]\r\npath_data=\r\n[foMain]\r\nleft=abc\r\ntop=25\r\nheight=\r\n"));
    EXPECT_EQ(ini.readString("Setup", "path_data", "C:\\"), "");        // present but empty
    EXPECT_EQ(ini.readInteger("foMain", "left", 10), 10);               // not a number: missing
    EXPECT_EQ(ini.readInteger("foMain", "top", 10), 25);
    EXPECT_EQ(ini.readInteger("foMain", "height", 400), 400);           // empty: missing
    EXPECT_EQ(ini.readInteger("foMain", "width", 680), 680);            // absent
    EXPECT_EQ(ini.readInteger("Nope", "width", 680), 680);
}

TEST_F(ProfileFileTest, LookupIgnoresLetterCaseAndBlanks)
{
    const ProfileFile ini(write("a.ini", "; comment\n[ SETUP ]\n  Path_Data =  /home/anna/Briefe/ \n"
                                          "[setup]\npath_data=second\n"));
    EXPECT_EQ(ini.readString("setup", "PATH_DATA", "x"), "/home/anna/Briefe/");
}

TEST_F(ProfileFileTest, KeysBelongToTheirSectionOnly)
{
    const ProfileFile ini(write("a.ini", "[A]\nleft=1\n[B]\ntop=2\n"));
    EXPECT_EQ(ini.readInteger("A", "top", -1), -1);
    EXPECT_EQ(ini.readInteger("B", "left", -1), -1);
    EXPECT_EQ(ini.readInteger("B", "top", -1), 2);
}

TEST_F(ProfileFileTest, QuotedValuesLoseTheirQuotes)
{
    const ProfileFile ini(write("a.ini", "[S]\nk=\"C:\\Briefe\\\"\nj=\"\n"));
    EXPECT_EQ(ini.readString("S", "k", ""), "C:\\Briefe\\");
    EXPECT_EQ(ini.readString("S", "j", ""), "\"");
}

TEST_F(ProfileFileTest, RewritingKeepsWhatItDoesNotTouch)
{
    const std::string path = write("ZLW.INI", "; Zettelino\r\n[Setup]\r\npath_data=/old/\r\nother=keep\r\n\r\n"
                                              "[Extra]\r\nx=1\r\n");
    ProfileFile ini(path);
    ini.writeString("Setup", "PATH_DATA", "/new/");
    ini.writeInteger("foMain", "left", 10);
    ini.writeInteger("foMain", "top", -5);
    ini.writeString("Setup", "added", "yes");
    EXPECT_EQ(files::readFileBytes(path), "; Zettelino\r\n[Setup]\r\nPATH_DATA=/new/\r\nother=keep\r\nadded=yes\r\n"
                                          "\r\n[Extra]\r\nx=1\r\n[foMain]\r\nleft=10\r\ntop=-5\r\n");
    const ProfileFile again(path);
    EXPECT_EQ(again.readString("setup", "path_data", ""), "/new/");
    EXPECT_EQ(again.readInteger("FOMAIN", "top", 0), -5);
}

TEST_F(ProfileFileTest, ValuesOutsideWindows1252SurviveARewrite)
{
    const std::string path = dir_ + "u.ini";
    ProfileFile ini(path);
    ini.writeString("Setup", "path_data", "/home/łukasz/Briefe/");
    EXPECT_EQ(ProfileFile(path).readString("Setup", "path_data", ""), "/home/łukasz/Briefe/");
}

TEST_F(ProfileFileTest, ReadOnlyFileIsLeftUnchangedAndTheWriteFails)
{
    const std::string path = write("ZLW.INI", "[Setup]\r\npath_data=/a/\r\n");
    ::chmod(path.c_str(), 0444);
    ProfileFile ini(path);
    EXPECT_THROW(ini.writeString("Setup", "path_data", "/b/"), PlatformError);
    EXPECT_EQ(files::readFileBytes(path), "[Setup]\r\npath_data=/a/\r\n");
}

TEST_F(ProfileFileTest, UnwritableFolderFailsWithoutLeavingFiles)
{
    zt::testing::handOver(dir_);
    ::chmod(dir_.c_str(), 0555);
    {
        zt::testing::AsUnprivilegedUser user;
        if (!user.active())
            GTEST_SKIP() << user.reason();
        if (zt::testing::canCreateIn(dir_))
            GTEST_SKIP() << "this user writes into read-only folders";
        ProfileFile ini(dir_ + "ZLW.INI");
        EXPECT_THROW(ini.writeInteger("foMain", "left", 1), PlatformError);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(ProfileFileTest, UnreadableFileRaisesAnError)
{
    // A folder in the file's place cannot be read as a file, also for the superuser.
    std::filesystem::create_directory(dir_ + "ZLW.INI");
    EXPECT_THROW(ProfileFile(dir_ + "ZLW.INI"), PlatformError);
}
