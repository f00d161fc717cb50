#pragma once
// A unique temporary file in the user's temporary folder ($TMPDIR, else /tmp),
// named with a prefix ("QRP" for the page store). Created exclusively with mode
// 0600, so a planted file or symbolic link of the same name is never followed;
// removed when its owner lets go of it.

#include <cstdint>
#include <string>

namespace zt::platform::files {

std::string temporaryFolder();

class TempFile {
public:
    // Throws PlatformError when no file can be created.
    explicit TempFile(const std::string& prefix, const std::string& folder = temporaryFolder());
    ~TempFile();
    TempFile(TempFile&& other) noexcept;
    TempFile& operator=(TempFile&& other) noexcept;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& path() const { return path_; }
    int fd() const { return fd_; }

    // Positioned I/O; both throw PlatformError on failure. readAt returns the
    // bytes read, fewer than asked only at the end of the file.
    void writeAt(std::uint64_t offset, const void* data, std::size_t size);
    std::size_t readAt(std::uint64_t offset, void* data, std::size_t size) const;
    std::uint64_t size() const;
    void truncate(std::uint64_t size);

private:
    void reset() noexcept;

    std::string path_;
    int fd_ = -1;
};

} // namespace zt::platform::files
