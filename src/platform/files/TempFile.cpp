#include "platform/files/TempFile.h"

#include "platform/core/PlatformError.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zt::platform::files {

std::string temporaryFolder()
{
    const char* dir = std::getenv("TMPDIR");
    std::string folder = dir && *dir ? dir : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

TempFile::TempFile(const std::string& prefix, const std::string& folder)
{
    std::string dir = folder.empty() ? temporaryFolder() : folder;
    if (dir.back() != '/')
        dir += '/';
    std::string name = dir + prefix + "XXXXXX";
    // mkostemp opens with O_CREAT | O_EXCL and mode 0600.
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0)
        throwSystemError("Im Ordner \"" + dir + "\" kann keine temporäre Datei angelegt werden", errno);
    path_ = std::move(name);
}

TempFile::~TempFile()
{
    reset();
}

TempFile::TempFile(TempFile&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1))
{
    other.path_.clear();
}

TempFile& TempFile::operator=(TempFile&& other) noexcept
{
    if (this != &other) {
        reset();
        path_ = std::move(other.path_);
        fd_ = std::exchange(other.fd_, -1);
        other.path_.clear();
    }
    return *this;
}

void TempFile::reset() noexcept
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!path_.empty()) {
        ::unlink(path_.c_str());
        path_.clear();
    }
}

void TempFile::writeAt(std::uint64_t offset, const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::pwrite(fd_, p, size, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError("Die temporäre Datei \"" + path_ + "\" kann nicht geschrieben werden", errno);
        }
        p += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
}

std::size_t TempFile::readAt(std::uint64_t offset, void* data, std::size_t size) const
{
    char* p = static_cast<char*>(data);
    std::size_t total = 0;
    while (total < size) {
        const ssize_t n = ::pread(fd_, p + total, size - total, static_cast<off_t>(offset + total));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError("Die temporäre Datei \"" + path_ + "\" kann nicht gelesen werden", errno);
        }
        if (n == 0)
            break;
        total += static_cast<std::size_t>(n);
    }
    return total;
}

std::uint64_t TempFile::size() const
{
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        throwSystemError("Die temporäre Datei \"" + path_ + "\" kann nicht gelesen werden", errno);
    return static_cast<std::uint64_t>(st.st_size);
}

void TempFile::truncate(std::uint64_t size)
{
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0)
        throwSystemError("Die temporäre Datei \"" + path_ + "\" kann nicht geschrieben werden", errno);
}

} // namespace zt::platform::files
