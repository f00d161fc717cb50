#include "files/RecoveryStore.h"

#include "files/LetterBuffer.h"
#include "files/LetterFile.h"
#include "platform/core/PlatformError.h"
#include "platform/files/FileAccess.h"
#include "platform/text/TextFile.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zt::files {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPrefix = "kopie-";

// The lock of a copy, taken without waiting; -1 when its program holds it.
int tryLock(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void removeFiles(const std::string& base)
{
    for (const char* ext : {".ZLW", ".datei"})
        ::unlink((base + ext).c_str());
}

} // namespace

std::string RecoveryFolder()
{
    std::string folder;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && *state == '/')
        folder = state;
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        folder = std::string(home) + "/.local/state";
    else
        folder = "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder + "zettelino/";
}

// --- a copy left behind -----------------------------------------------------

TOrphanCopy::~TOrphanCopy()
{
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

void TOrphanCopy::Discard()
{
    removeFiles(base_);
    ::unlink((base_ + ".lock").c_str());
}

void TOrphanCopy::KeepAsBackup()
{
    const std::string folder = fs::path(base_).parent_path().string() + "/";
    ::rename((base_ + ".ZLW").c_str(), (folder + "letzte-Sicherung.ZLW").c_str());
    if (::rename((base_ + ".datei").c_str(), (folder + "letzte-Sicherung.datei").c_str()) != 0)
        ::unlink((folder + "letzte-Sicherung.datei").c_str());
    ::unlink((base_ + ".lock").c_str());
}

// --- this program's copy ----------------------------------------------------

TRecoveryStore::TRecoveryStore(std::string folder) : folder_(std::move(folder))
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    base_ = folder_ + kPrefix + std::to_string(::getpid()) + "-" +
            std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

TRecoveryStore::~TRecoveryStore()
{
    if (lockFd_ < 0)
        return;
    Remove();
    ::unlink((base_ + ".lock").c_str());
    ::close(lockFd_);
}

void TRecoveryStore::lock()
{
    if (lockFd_ >= 0)
        return;
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (!ec)
        fs::permissions(folder_, fs::perms::owner_all, ec);
    lockFd_ = tryLock(base_ + ".lock");
    if (lockFd_ < 0)
        platform::throwSystemError("Die Sicherungskopie in \"" + folder_ + "\" kann nicht angelegt werden", errno);
}

void TRecoveryStore::Write(const std::vector<std::string>& letterLines, const std::string& currentFile)
{
    lock();
    // The name first: a copy found without its name belongs to no file.
    platform::files::writeFileAtomically(base_ + ".datei", platform::text::encodeLines({currentFile}));
    platform::files::writeFileAtomically(base_ + ".ZLW", platform::text::encodeLines(letterLines));
    written_ = true;
}

void TRecoveryStore::Remove()
{
    if (!written_)
        return;
    removeFiles(base_);
    written_ = false;
}

std::unique_ptr<TOrphanCopy> TRecoveryStore::TakeOrphan(std::string* problems)
{
    const auto say = [&](const std::string& line) {
        if (problems != nullptr)
            *problems += line + "\n";
    };
    std::error_code ec;
    std::unique_ptr<TOrphanCopy> newest;
    fs::file_time_type newestTime;
    for (const fs::directory_entry& e : fs::directory_iterator(folder_, ec)) {
        const std::string name = e.path().filename().string();
        if (!name.starts_with(kPrefix) || !name.ends_with(".ZLW"))
            continue;
        const std::string base = folder_ + name.substr(0, name.size() - 4);
        if (base == base_)
            continue;
        struct stat st {};
        if (::stat(e.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (st.st_uid != ::getuid()) {
            say("Sicherungskopie \"" + e.path().string() + "\" gehört einem anderen Benutzer und bleibt liegen.");
            continue;
        }
        const int fd = tryLock(base + ".lock");
        if (fd < 0)
            continue; // its program still runs
        const auto written = e.last_write_time(ec);
        if (newest && written <= newestTime) {
            ::close(fd);
            continue;
        }
        newest.reset(new TOrphanCopy);
        newest->base_ = base;
        newest->lockFd_ = fd;
        newestTime = written;
    }
    if (!newest)
        return nullptr;
    try {
        newest->lines_ = platform::text::readTextFile(newest->base_ + ".ZLW");
        TLetterBuffer check;
        ReadLetterFile(TLetterFileReader(newest->lines_), check);
    } catch (const std::exception& e) {
        say("Sicherungskopie \"" + newest->base_ + ".ZLW\" ist nicht lesbar und wird beiseitegelegt: " + e.what());
        newest->KeepAsBackup();
        return nullptr;
    }
    try {
        const auto name = platform::text::readTextFile(newest->base_ + ".datei");
        newest->currentFile_ = name.empty() ? std::string() : name.front();
    } catch (const std::exception&) {
        // No name: the copy belongs to no file.
    }
    return newest;
}

} // namespace zt::files
