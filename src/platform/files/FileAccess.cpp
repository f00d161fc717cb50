#include "platform/files/FileAccess.h"

#include "platform/core/PlatformError.h"
#include "platform/files/FileDescriptor.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zt::platform::files {

namespace {

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

void writeAll(int fd, std::string_view bytes, const std::string& path)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError(cannotWrite(path), errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::size_t readUpTo(int fd, void* buffer, std::size_t count, const std::string& path)
{
    std::size_t total = 0;
    while (total < count) {
        const ssize_t n = ::read(fd, static_cast<char*>(buffer) + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError(cannotRead(path), errno);
        }
        if (n == 0)
            break;
        total += static_cast<std::size_t>(n);
    }
    return total;
}

std::string readFileBytes(const std::string& path)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throwSystemError(cannotOpen(path), errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throwSystemError(cannotRead(path), errno);
    if (S_ISDIR(st.st_mode))
        throwSystemError(cannotRead(path), EISDIR);
    std::string bytes;
    if (S_ISREG(st.st_mode) && st.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    while (const std::size_t n = readUpTo(fd.get(), buffer, sizeof buffer, path))
        bytes.append(buffer, n);
    return bytes;
}

bool isReadOnly(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

void createFolders(const std::string& dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!ec && !std::filesystem::is_directory(dir, ec))
        ec = std::make_error_code(std::errc::not_a_directory);
    if (ec)
        throwSystemError("Der Ordner \"" + dir + "\" kann nicht angelegt werden", ec.value());
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path)
{
    return path.substr(folderOf(path).size());
}

void writeFileAtomically(const std::string& path, std::string_view bytes)
{
    writeFileAtomically(path, [bytes](const ByteSink& sink) { sink(bytes); });
}

void writeFileAtomically(const std::string& requested, const std::function<void(const ByteSink&)>& produce)
{
    // Replace what a symbolic link points at, not the link itself.
    std::string path = requested;
    struct stat link {};
    if (::lstat(requested.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = ::realpath(requested.c_str(), nullptr)) {
            path = real;
            std::free(real);
        }
    }
    const std::string what = cannotWrite(path);
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode))
        throwSystemError(what, EISDIR);
    if (exists && isReadOnly(path))
        throwSystemError(what, EACCES);

    const std::string folder = folderOf(path);
    const std::string base = path.substr(folder.size());
    std::string temp = folder + "." + base + ".XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0)
        throwSystemError(what, errno);
    try {
        const mode_t mode = exists ? (target.st_mode & 07777) : (0666 & ~currentUmask());
        ::fchmod(fd.get(), mode);
        produce([&](std::string_view bytes) { writeAll(fd.get(), bytes, path); });
        if (::fsync(fd.get()) != 0)
            throwSystemError(what, errno);
        if (::close(fd.release()) != 0)
            throwSystemError(what, errno);
        if (::rename(temp.c_str(), path.c_str()) != 0)
            throwSystemError(what, errno);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

bool canOpenExclusively(const std::string& path)
{
    if (isReadOnly(path))
        return false;
    Fd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.get() < 0)
        return false;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    // Programs that lock with fcntl do not see flock locks; test those too.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd.get(), F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK)
        return false;
    ::flock(fd.get(), LOCK_UN);
    return true;
}

} // namespace zt::platform::files
