#pragma once
// A folder only its user can write into, and the files in it by name. The
// files are reached through the open folder and never through a symbolic
// link, so nothing planted in it (or in its place) makes the program read or
// write somewhere else.

#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace zt::files {

class TOwnFolder {
public:
    TOwnFolder() = default;
    ~TOwnFolder();
    TOwnFolder(TOwnFolder&& other) noexcept;
    TOwnFolder& operator=(TOwnFolder&& other) noexcept;
    TOwnFolder(const TOwnFolder&) = delete;
    TOwnFolder& operator=(const TOwnFolder&) = delete;

    // `path` with a trailing separator. With `create`, the folder is made
    // (mode 0700, the folders above it as usual) when it is missing; without,
    // a missing folder gives one that is not open. Throws PlatformError when
    // it cannot be made or opened, is a link or no folder, belongs to another
    // user, or others may write into it.
    static TOwnFolder Open(const std::string& path, bool create);

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }
    // The same folder, opened once more (for an owner of its own).
    TOwnFolder Duplicate() const;

    // The names in the folder (without "." and "..").
    std::vector<std::string> Names() const;
    // The entry itself, a link not followed; false when there is none.
    bool Stat(const std::string& name, struct stat& st) const;
    // A regular file's bytes; PlatformError for a link or anything else.
    std::string Read(const std::string& name) const;
    // Opens the file for reading and writing, made (0600) when missing; -1
    // with errno when it cannot be or is a link (ELOOP).
    int OpenForLock(const std::string& name) const;
    // Writes a temporary file, syncs it and renames it over `name` (a link
    // there is replaced, not written through). The folder is not synced.
    void WriteAtomically(const std::string& name, std::string_view bytes) const;
    bool Rename(const std::string& from, const std::string& to) const;
    void Remove(const std::string& name) const;
    // Makes renames and removals so far survive a power cut.
    void Sync() const;

private:
    int fd_ = -1;
    std::string path_;
};

} // namespace zt::files
