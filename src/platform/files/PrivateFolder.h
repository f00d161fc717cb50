#pragma once
// A folder of the program's own in the user's temporary folder, readable by
// the user alone (mode 0700), removed with what it holds when its owner lets
// go of it, unless kept.

#include <string>

namespace zt::platform::files {

class PrivateFolder {
public:
    // Throws PlatformError when no folder can be made. `prefix` starts its name.
    explicit PrivateFolder(const std::string& prefix);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // The folder, with a trailing separator.
    const std::string& path() const { return path_; }
    // Left behind when the owner goes (for a program that ends before
    // another reads the files).
    void keep() { keep_ = true; }

    // Removes folders of this prefix older than `hours` that earlier runs kept.
    static void removeStale(const std::string& prefix, int hours);

private:
    std::string path_;
    bool keep_ = false;
};

} // namespace zt::platform::files
