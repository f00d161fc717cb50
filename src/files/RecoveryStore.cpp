#include "files/RecoveryStore.h"

#include "files/LetterBuffer.h"
#include "files/LetterFile.h"
#include "platform/core/PlatformError.h"
#include "platform/text/TextFile.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zt::files {

namespace {

constexpr const char* kPrefix = "kopie-";
constexpr const char* kBackup = "letzte-Sicherung";
constexpr const char* kUnreadable = "unlesbare-Sicherung";

// The lock of a copy, taken without waiting; -1 when its program holds it,
// or with errno when it cannot be opened (ELOOP: a link in its place).
int tryLock(const TOwnFolder& folder, const std::string& name)
{
    const int fd = folder.OpenForLock(name);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        errno = EWOULDBLOCK;
        return -1;
    }
    return fd;
}

std::vector<std::string> readLines(const TOwnFolder& folder, const std::string& name)
{
    return platform::text::splitLines(platform::text::decodeText(folder.Read(name)).text);
}

bool absolute(const char* path) { return path != nullptr && path[0] == '/'; }

// The home folder of the user's account, not of the environment.
std::string accountHome()
{
    passwd entry {};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return {};
    // "/" is no home of the user's own.
    if (!absolute(found->pw_dir) || found->pw_dir[1] == '\0')
        return {};
    return found->pw_dir;
}

} // namespace

std::string RecoveryFolder()
{
    // Never a folder shared by all users such as /tmp: another user could
    // read the letters there or plant copies and links for the program.
    std::string folder;
    if (const char* state = std::getenv("XDG_STATE_HOME"); absolute(state))
        folder = state;
    else if (const char* home = std::getenv("HOME"); absolute(home))
        folder = std::string(home) + "/.local/state";
    else if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); absolute(runtime))
        folder = runtime;
    else if (const std::string account = accountHome(); !account.empty())
        folder = account + "/.local/state";
    else
        return {}; // no place of the user's own: the program keeps no copies
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

void TOrphanCopy::removeLeftovers()
{
    // Temporary files of a write the crash interrupted, then the lock.
    for (const char* ext : {".ZLW.neu", ".datei.neu"})
        folder_.Remove("." + name_ + ext);
    folder_.Remove(name_ + ".lock");
}

void TOrphanCopy::Discard()
{
    for (const char* ext : {".ZLW", ".datei"})
        folder_.Remove(name_ + ext);
    removeLeftovers();
}

void TOrphanCopy::KeepAsBackup()
{
    setAside(kBackup);
}

void TOrphanCopy::setAside(const std::string& as)
{
    folder_.Rename(name_ + ".ZLW", as + ".ZLW");
    // A name file of an earlier copy kept there must not go with this one.
    if (!folder_.Rename(name_ + ".datei", as + ".datei"))
        folder_.Remove(as + ".datei");
    removeLeftovers();
    try {
        folder_.Sync();
    } catch (const std::exception&) {
        // Renamed all the same; only a power cut now could undo it.
    }
}

// --- this program's copy ----------------------------------------------------

TRecoveryStore::TRecoveryStore(std::string folder) : folderPath_(std::move(folder))
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    name_ = kPrefix + std::to_string(::getpid()) + "-" +
            std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

TRecoveryStore::~TRecoveryStore()
{
    if (lockFd_ < 0)
        return;
    Remove();
    folder_.Remove(name_ + ".lock");
    ::close(lockFd_);
}

void TRecoveryStore::lock()
{
    if (lockFd_ >= 0)
        return;
    if (!folder_.IsOpen())
        folder_ = TOwnFolder::Open(folderPath_, true);
    lockFd_ = tryLock(folder_, name_ + ".lock");
    if (lockFd_ < 0)
        platform::throwSystemError("Die Sicherungskopie in \"" + folderPath_ + "\" kann nicht angelegt werden",
                                   errno);
}

void TRecoveryStore::Write(const std::vector<std::string>& letterLines, const std::string& currentFile)
{
    if (folderPath_.empty())
        return;
    lock();
    // The name first: a copy found without its name belongs to no file. It
    // changes seldom, so it is written only when it does.
    if (nameWritten_ != currentFile) {
        nameWritten_.reset();
        folder_.WriteAtomically(name_ + ".datei", platform::text::encodeLines({currentFile}));
        folder_.Sync();
        nameWritten_ = currentFile;
    }
    folder_.WriteAtomically(name_ + ".ZLW", platform::text::encodeLines(letterLines));
    folder_.Sync();
    written_ = true;
}

void TRecoveryStore::Remove()
{
    if (!written_ && !nameWritten_)
        return;
    for (const char* ext : {".ZLW", ".datei"})
        folder_.Remove(name_ + ext);
    nameWritten_.reset();
    written_ = false;
}

std::unique_ptr<TOrphanCopy> TRecoveryStore::TakeOrphan(std::string* problems)
{
    const auto say = [&](const std::string& line) {
        if (problems != nullptr)
            *problems += line + "\n";
    };
    if (folderPath_.empty())
        return nullptr;
    if (!folder_.IsOpen()) {
        try {
            folder_ = TOwnFolder::Open(folderPath_, false);
        } catch (const std::exception& e) {
            say(std::string("Sicherungskopien bleiben liegen: ") + e.what());
            return nullptr;
        }
        if (!folder_.IsOpen())
            return nullptr; // no folder yet: nothing left behind
    }
    std::unique_ptr<TOrphanCopy> newest;
    timespec newestTime {};
    for (const std::string& file : folder_.Names()) {
        if (!file.starts_with(kPrefix) || !file.ends_with(".ZLW"))
            continue;
        const std::string name = file.substr(0, file.size() - 4);
        if (name == name_)
            continue;
        const std::string shown = folderPath_ + file;
        struct stat st {};
        if (!folder_.Stat(file, st))
            continue;
        if (!S_ISREG(st.st_mode)) {
            say("Sicherungskopie \"" + shown + "\" ist keine gewöhnliche Datei und bleibt liegen.");
            continue;
        }
        if (st.st_uid != ::geteuid()) {
            say("Sicherungskopie \"" + shown + "\" gehört einem anderen Benutzer und bleibt liegen.");
            continue;
        }
        const int fd = tryLock(folder_, name + ".lock");
        if (fd < 0) {
            if (errno != EWOULDBLOCK) // else its program still runs
                say("Die Sperre der Sicherungskopie \"" + shown + "\" ist keine gewöhnliche Datei; sie bleibt liegen.");
            continue;
        }
        const timespec written = st.st_mtim;
        if (newest && (written.tv_sec < newestTime.tv_sec ||
                       (written.tv_sec == newestTime.tv_sec && written.tv_nsec <= newestTime.tv_nsec))) {
            ::close(fd);
            continue;
        }
        if (!newest) {
            newest.reset(new TOrphanCopy);
            newest->folder_ = folder_.Duplicate();
        } else if (newest->lockFd_ >= 0) {
            ::close(newest->lockFd_);
        }
        newest->name_ = name;
        newest->lockFd_ = fd;
        newestTime = written;
    }
    if (!newest)
        return nullptr;
    const std::string shown = folderPath_ + newest->name_ + ".ZLW";
    try {
        newest->lines_ = readLines(folder_, newest->name_ + ".ZLW");
        TLetterBuffer check;
        ReadLetterFile(TLetterFileReader(newest->lines_), check);
    } catch (const std::exception& e) {
        // Beside the backup, not over it: the last good letter stays.
        say("Sicherungskopie \"" + shown + "\" ist nicht lesbar und wird als \"" + kUnreadable +
            ".ZLW\" beiseitegelegt: " + e.what());
        newest->setAside(kUnreadable);
        return nullptr;
    }
    try {
        const auto name = readLines(folder_, newest->name_ + ".datei");
        newest->currentFile_ = name.empty() ? std::string() : name.front();
    } catch (const std::exception&) {
        // No name (or not a plain file): the copy belongs to no file.
    }
    return newest;
}

} // namespace zt::files
