// The desktop's recently used files, the user's documents folder and the
// opener's report of a program that does not start.

#include "platform/desktop/RecentFiles.h"
#include "platform/desktop/UserFolders.h"
#include "platform/files/FileAccess.h"
#include "platform/shell/Shell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;
using namespace zt::platform;

namespace {

class RecentFilesTest : public ::testing::Test {
protected:
    RecentFilesTest()
    {
        char pattern[] = "/tmp/zt-recent-XXXXXX";
        folder_ = ::mkdtemp(pattern);
        list_ = (folder_ / "share" / "recently-used.xbel").string();
    }
    ~RecentFilesTest() override { fs::remove_all(folder_); }

    std::string touch(const std::string& name)
    {
        const fs::path p = folder_ / name;
        std::ofstream(p) << "x";
        return p.string();
    }
    std::string read() const
    {
        std::ifstream in(list_);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    const desktop::RecentEntry letter{"application/x-zettelino-letter", "zettelino", "zettelino %u"};
    fs::path folder_;
    std::string list_;
};

} // namespace

TEST_F(RecentFilesTest, AddedLettersComeBackNewestFirstAndOnlyWhileTheyExist)
{
    const std::string a = touch("a.ZLW"), b = touch("Brief mit Ä.ZLW"), c = touch("c.ZLW");
    for (const std::string& f : {a, b, c}) {
        std::string why;
        ASSERT_TRUE(desktop::addRecentFile(list_, f, letter, &why)) << why;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    // Opening a again makes it the newest.
    ASSERT_TRUE(desktop::addRecentFile(list_, a, letter));
    EXPECT_EQ(desktop::recentFiles(list_, "zettelino", letter.mimeType, 10), (std::vector<std::string>{a, c, b}));
    EXPECT_EQ(desktop::recentFiles(list_, "zettelino", letter.mimeType, 2), (std::vector<std::string>{a, c}));
    fs::remove(c);
    EXPECT_EQ(desktop::recentFiles(list_, "zettelino", letter.mimeType, 10), (std::vector<std::string>{a, b}));
    // The list is the desktop's XBEL, with the file as a URI and our name on it.
    const std::string xbel = read();
    EXPECT_NE(xbel.find("<xbel"), std::string::npos);
    EXPECT_NE(xbel.find("Brief%20mit%20%C3%84.ZLW"), std::string::npos);
    EXPECT_NE(xbel.find("name=\"zettelino\""), std::string::npos);
}

TEST_F(RecentFilesTest, OtherProgramsEntriesStayAndAreNotOffered)
{
    const std::string photo = touch("bild.png"), brief = touch("brief.ZLW");
    ASSERT_TRUE(desktop::addRecentFile(list_, photo, {"image/png", "eog", "eog %u"}));
    ASSERT_TRUE(desktop::addRecentFile(list_, brief, letter));
    EXPECT_EQ(desktop::recentFiles(list_, "zettelino", letter.mimeType, 10), std::vector<std::string>{brief});
    EXPECT_EQ(desktop::recentFiles(list_, "eog", "image/png", 10), std::vector<std::string>{photo});
}

TEST_F(RecentFilesTest, AListThatCannotBeReadIsLeftAsItIs)
{
    fs::create_directories(fs::path(list_).parent_path());
    std::ofstream(list_) << "<xbel version=\"1.0\"><bookmark href=";
    std::string why;
    EXPECT_FALSE(desktop::addRecentFile(list_, touch("a.ZLW"), letter, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(read(), "<xbel version=\"1.0\"><bookmark href=");
    EXPECT_TRUE(desktop::recentFiles(list_, "zettelino", letter.mimeType, 10).empty());
    // No list at all is simply empty.
    EXPECT_TRUE(desktop::recentFiles((folder_ / "nichts.xbel").string(), "zettelino", letter.mimeType, 10).empty());
}

TEST(RecentlyUsedFile, FollowsTheDataHome)
{
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string kept = old != nullptr ? old : "";
    ::setenv("XDG_DATA_HOME", "/srv/daten", 1);
    EXPECT_EQ(desktop::recentlyUsedFile(), "/srv/daten/recently-used.xbel");
    ::setenv("XDG_DATA_HOME", "relativ", 1); // not absolute: ignored, as the base directory rules say
    EXPECT_TRUE(desktop::recentlyUsedFile().ends_with("/.local/share/recently-used.xbel"));
    if (old != nullptr)
        ::setenv("XDG_DATA_HOME", kept.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

TEST_F(RecentFilesTest, TheDocumentsFolderIsTheOneUserDirsNamesWhileItExists)
{
    const auto keep = [](const char* name) {
        const char* v = std::getenv(name);
        return v != nullptr ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto home = keep("HOME"), config = keep("XDG_CONFIG_HOME");
    ::setenv("HOME", folder_.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder_ / "cfg").c_str(), 1);
    fs::create_directories(folder_ / "cfg");
    const std::string own = folder_.string() + "/";
    // No user-dirs.dirs: the home folder.
    EXPECT_EQ(desktop::documentsFolder(), own);
    std::ofstream(folder_ / "cfg" / "user-dirs.dirs") << "# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                                      << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    // Named but not there (yet): still home.
    EXPECT_EQ(desktop::documentsFolder(), own);
    fs::create_directory(folder_ / "Dokumente");
    EXPECT_EQ(desktop::documentsFolder(), own + "Dokumente/");
    std::ofstream(folder_ / "cfg" / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << own << "Dokumente\"\n";
    EXPECT_EQ(desktop::documentsFolder(), own + "Dokumente/");
    for (const auto& [name, value] : {std::pair{"HOME", home}, std::pair{"XDG_CONFIG_HOME", config}})
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
}

TEST(XdgOpenShell, AnOpenerThatCannotStartIsReported)
{
    XdgOpenShell missing("/nicht/vorhanden/xdg-open");
    EXPECT_THROW(missing.open("brief.txt"), std::exception);
    XdgOpenShell started("true");
    EXPECT_NO_THROW(started.open("brief.txt"));
}
