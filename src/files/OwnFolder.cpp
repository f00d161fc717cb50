#include "files/OwnFolder.h"

#include "platform/core/PlatformError.h"
#include "platform/files/FileAccess.h"
#include "platform/files/FileDescriptor.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace zt::files {

namespace {

using platform::throwSystemError;
using platform::files::Fd;

[[noreturn]] void refuse(const std::string& path, const std::string& why)
{
    throw platform::PlatformError(platform::ErrorKind::SystemFailure,
                                  "Der Ordner \"" + path + "\" " + why + " und wird nicht benutzt.");
}

// Another user who can write into the folder could plant links or files in
// it for the program to follow; one who owns it could read what it writes.
void checkOwn(const std::string& path, const struct stat& st)
{
    if (S_ISLNK(st.st_mode))
        refuse(path, "ist ein Verweis");
    if (!S_ISDIR(st.st_mode))
        refuse(path, "ist kein Ordner");
    if (st.st_uid != ::geteuid())
        refuse(path, "gehört einem anderen Benutzer");
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        refuse(path, "ist auch für andere Benutzer beschreibbar");
}

} // namespace

TOwnFolder::~TOwnFolder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

TOwnFolder::TOwnFolder(TOwnFolder&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_))
{
}

TOwnFolder& TOwnFolder::operator=(TOwnFolder&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

TOwnFolder TOwnFolder::Open(const std::string& path, bool create)
{
    std::string bare = path;
    while (bare.size() > 1 && bare.back() == '/')
        bare.pop_back();
    if (create) {
        if (const std::string above = platform::files::folderOf(bare); !above.empty())
            platform::files::createFolders(above);
        if (::mkdir(bare.c_str(), 0700) != 0 && errno != EEXIST)
            throwSystemError("Der Ordner \"" + bare + "\" kann nicht angelegt werden", errno);
    }
    struct stat found {};
    if (::lstat(bare.c_str(), &found) != 0) {
        if (!create && (errno == ENOENT || errno == ENOTDIR))
            return {};
        throwSystemError("Der Ordner \"" + bare + "\" kann nicht geöffnet werden", errno);
    }
    checkOwn(bare, found);
    Fd fd(::open(bare.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        throwSystemError("Der Ordner \"" + bare + "\" kann nicht geöffnet werden", errno);
    // What was opened is what was checked, not something put in its place since.
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0)
        throwSystemError("Der Ordner \"" + bare + "\" kann nicht geöffnet werden", errno);
    if (opened.st_dev != found.st_dev || opened.st_ino != found.st_ino)
        refuse(bare, "wurde beim Öffnen ausgetauscht");
    checkOwn(bare, opened);
    // The letters in it are the user's alone to read, too.
    if ((opened.st_mode & 077) != 0)
        ::fchmod(fd.get(), 0700);
    TOwnFolder folder;
    folder.fd_ = fd.release();
    folder.path_ = bare + "/";
    return folder;
}

TOwnFolder TOwnFolder::Duplicate() const
{
    TOwnFolder copy;
    copy.path_ = path_;
    if (fd_ >= 0) {
        copy.fd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
        if (copy.fd_ < 0)
            throwSystemError("Der Ordner \"" + path_ + "\" kann nicht geöffnet werden", errno);
    }
    return copy;
}

std::vector<std::string> TOwnFolder::Names() const
{
    std::vector<std::string> names;
    if (fd_ < 0)
        return names;
    // A descriptor of its own: reading the folder moves its position.
    const int fd = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return names;
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return names;
    }
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

bool TOwnFolder::Stat(const std::string& name, struct stat& st) const
{
    return fd_ >= 0 && ::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

std::string TOwnFolder::Read(const std::string& name) const
{
    const std::string shown = path_ + name;
    // Not blocking: a pipe planted under the name would wait for a writer.
    Fd fd(::openat(fd_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        throwSystemError(platform::cannotOpen(shown), errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throwSystemError(platform::cannotRead(shown), errno);
    if (!S_ISREG(st.st_mode))
        throw platform::PlatformError(platform::ErrorKind::SystemFailure,
                                      platform::cannotRead(shown) + ": keine gewöhnliche Datei");
    std::string bytes;
    char buffer[65536];
    while (const std::size_t n = platform::files::readUpTo(fd.get(), buffer, sizeof buffer, shown))
        bytes.append(buffer, n);
    return bytes;
}

int TOwnFolder::OpenForLock(const std::string& name) const
{
    const int fd = ::openat(fd_, name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

void TOwnFolder::WriteAtomically(const std::string& name, std::string_view bytes) const
{
    const std::string shown = path_ + name;
    const std::string what = platform::cannotWrite(shown);
    const std::string temp = "." + name + ".neu";
    // Made anew (O_EXCL never follows a link); one left by an interrupted
    // write goes first.
    constexpr int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int made = ::openat(fd_, temp.c_str(), flags, 0600);
    if (made < 0 && errno == EEXIST) {
        ::unlinkat(fd_, temp.c_str(), 0);
        made = ::openat(fd_, temp.c_str(), flags, 0600);
    }
    if (made < 0)
        throwSystemError(what, errno);
    Fd fd(made);
    try {
        platform::files::writeAll(fd.get(), bytes, shown);
        if (::fsync(fd.get()) != 0)
            throwSystemError(what, errno);
        if (::close(fd.release()) != 0)
            throwSystemError(what, errno);
        // Replaces whatever has the name, a link included, never writing through it.
        if (::renameat(fd_, temp.c_str(), fd_, name.c_str()) != 0)
            throwSystemError(what, errno);
    } catch (...) {
        ::unlinkat(fd_, temp.c_str(), 0);
        throw;
    }
}

bool TOwnFolder::Rename(const std::string& from, const std::string& to) const
{
    return fd_ >= 0 && ::renameat(fd_, from.c_str(), fd_, to.c_str()) == 0;
}

void TOwnFolder::Remove(const std::string& name) const
{
    if (fd_ >= 0)
        ::unlinkat(fd_, name.c_str(), 0);
}

void TOwnFolder::Sync() const
{
    // A file system that cannot sync a folder (EINVAL) keeps its names its own way.
    if (fd_ >= 0 && ::fsync(fd_) != 0 && errno != EINVAL)
        throwSystemError("Der Ordner \"" + path_ + "\" kann nicht auf den Datenträger geschrieben werden", errno);
}

} // namespace zt::files
