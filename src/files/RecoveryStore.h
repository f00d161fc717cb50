#pragma once
// Recovery copies of unsaved letters, so a crash, a kill or a power cut
// loses nothing typed: each running program keeps its own copy (the letter
// file as Save would write it, and the name of the file it belongs to) in
// $XDG_STATE_HOME/zettelino/ under a lock it holds while it runs. A copy
// whose lock nobody holds was left by a program that ended abnormally.
//
// The folder is the user's alone (see TOwnFolder): one that another
// user owns or may write into is not used, and no link in it is followed.

#include "files/LetterContent.h"
#include "files/OwnFolder.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zt::files {

// $XDG_STATE_HOME/zettelino/, else ~/.local/state/zettelino/ (trailing
// separator); without HOME, $XDG_RUNTIME_DIR/zettelino/ or the home folder
// of the user's account. "" when the user has no folder of their own.
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
    // Renames the copy and its name file to `as` + ".ZLW" and ".datei".
    void setAside(const std::string& as);
    void removeLeftovers();

    TOwnFolder folder_;
    std::string name_; // "kopie-PID-TIME"
    int lockFd_ = -1;
    std::vector<std::string> lines_;
    std::string currentFile_;
};

class TRecoveryStore {
public:
    // `folder` with a trailing separator; "" keeps no copies at all. Nothing
    // is created yet.
    explicit TRecoveryStore(std::string folder = RecoveryFolder());
    ~TRecoveryStore();
    TRecoveryStore(const TRecoveryStore&) = delete;
    TRecoveryStore& operator=(const TRecoveryStore&) = delete;

    // The newest copy whose program no longer runs, taken so no other
    // program offers it; none when there is none. A copy that cannot be
    // read is set aside as "unlesbare-Sicherung.ZLW" (never over the
    // backup), one that belongs to another user or is no plain file is
    // left alone, each with one line on `problems` and not offered. A
    // folder that is not the user's alone gives none, with one line.
    std::unique_ptr<TOrphanCopy> TakeOrphan(std::string* problems = nullptr);

    // Writes this program's copy atomically (temporary file, fsync, rename,
    // fsync of the folder); the first write takes the lock. Throws
    // PlatformError when the folder or file cannot be written or the folder
    // is not the user's alone.
    void Write(const std::vector<std::string>& letterLines, const std::string& currentFile);
    // Removes this program's copy (saved, cleared, or ended normally).
    void Remove();
    bool HasCopy() const { return written_; }
    const std::string& Folder() const { return folderPath_; }
    // The backup's letter file (the last copy not taken).
    std::string BackupPath() const { return folderPath_ + "letzte-Sicherung.ZLW"; }

private:
    void lock();

    std::string folderPath_;
    TOwnFolder folder_;
    std::string name_; // "kopie-PID-TIME"
    int lockFd_ = -1;
    bool written_ = false;
    std::optional<std::string> nameWritten_; // the name file's line, as on disk
};

} // namespace zt::files
