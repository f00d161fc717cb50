#pragma once
// A fresh folder per test, named after the test, removed afterwards (write
// permissions restored first, so tests may lock it down). Optionally the
// process works in it while the object lives.

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace zt::testing {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix, bool enter = false)
    {
        namespace fs = std::filesystem;
        path_ = fs::temp_directory_path() /
                (prefix + "-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
        if (enter) {
            previous_ = fs::current_path();
            fs::current_path(path_);
        }
    }
    ~ScratchFolder()
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        if (!previous_.empty())
            fs::current_path(previous_, ec);
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder with a trailing separator.
    std::string dir() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

} // namespace zt::testing
