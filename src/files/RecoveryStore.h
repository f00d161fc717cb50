#pragma once
// Recovery copies of unsaved letters, so a crash, a kill or a power cut
// loses nothing typed: each running program keeps its own copy (the letter
// file as Save would write it, and the name of the file it belongs to) in
// $XDG_STATE_HOME/zettelino/ under a lock it holds while it runs. A copy
// whose lock nobody holds was left by a program that ended abnormally.

#include "files/LetterContent.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zt::files {

// $XDG_STATE_HOME/zettelino/, else ~/.local/state/zettelino/ (trailing separator).
std::string RecoveryFolder();

// A copy left behind, taken: its lock is held until it is dropped.
class TOrphanCopy {
public:
    ~TOrphanCopy();
    TOrphanCopy(const TOrphanCopy&) = delete;
    TOrphanCopy& operator=(const TOrphanCopy&) = delete;

    const std::vector<std::string>& Lines() const { return lines_; } // the letter file's lines
    const std::string& CurrentFile() const { return currentFile_; }
    // Removes the copy (it has been taken into the window).
    void Discard();
    // Keeps it as the backup beside the copies (the last backup only).
    void KeepAsBackup();

private:
    friend class TRecoveryStore;
    TOrphanCopy() = default;
    std::string base_;
    int lockFd_ = -1;
    std::vector<std::string> lines_;
    std::string currentFile_;
};

class TRecoveryStore {
public:
    // `folder` with a trailing separator. Nothing is created yet.
    explicit TRecoveryStore(std::string folder = RecoveryFolder());
    ~TRecoveryStore();
    TRecoveryStore(const TRecoveryStore&) = delete;
    TRecoveryStore& operator=(const TRecoveryStore&) = delete;

    // The newest copy whose program no longer runs, taken so no other
    // program offers it; none when there is none. A copy that cannot be
    // read, or belongs to another user, is set aside with one line on
    // `problems` and not offered.
    std::unique_ptr<TOrphanCopy> TakeOrphan(std::string* problems = nullptr);

    // Writes this program's copy atomically (temporary file, fsync, rename);
    // the first write takes the lock. Throws PlatformError when the folder
    // or file cannot be written.
    void Write(const std::vector<std::string>& letterLines, const std::string& currentFile);
    // Removes this program's copy (saved, cleared, or ended normally).
    void Remove();
    bool HasCopy() const { return written_; }
    const std::string& Folder() const { return folder_; }
    // The backup's letter file (the last copy not taken).
    std::string BackupPath() const { return folder_ + "letzte-Sicherung.ZLW"; }

private:
    void lock();

    std::string folder_;
    std::string base_; // folder + "kopie-PID-TIME"
    int lockFd_ = -1;
    bool written_ = false;
};

} // namespace zt::files
