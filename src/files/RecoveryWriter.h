#pragma once
// Writes the recovery copy on a thread of its own, so a keystroke never
// waits for the disk: the window hands over the letter's lines and goes on;
// only the latest letter handed over is written, and a removal supersedes a
// write still waiting. A crashed program's copy taken over goes only after
// this program's copy is on disk.

#include "files/RecoveryStore.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace zt::files {

class TRecoveryWriter {
public:
    explicit TRecoveryWriter(std::string folder = RecoveryFolder());
    // Finishes what is asked, then removes the copy: the program ended normally.
    ~TRecoveryWriter();
    TRecoveryWriter(const TRecoveryWriter&) = delete;
    TRecoveryWriter& operator=(const TRecoveryWriter&) = delete;

    void Post(std::vector<std::string> letterLines, std::string currentFile);
    void Remove();
    // The copy a crashed program left, whose letter has been handed over
    // here: discarded once this program's own copy is on disk, or once the
    // letter needs none (saved, cleared, the program ended normally). While
    // writing fails it stays, so a crash then still finds the letter.
    void TakeOver(std::unique_ptr<TOrphanCopy> copy);
    // Waits until everything asked has been done (tests, benchmarks).
    void Flush();

    TRecoveryStore& Store() { return store_; }

private:
    void run();
    bool workWaiting() const; // under the mutex

    TRecoveryStore store_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    struct Letter {
        std::vector<std::string> lines;
        std::string currentFile;
    };
    std::optional<Letter> pending_;
    bool removePending_ = false;
    std::unique_ptr<TOrphanCopy> takenOver_;
    bool settled_ = false; // the last thing asked was done, and nothing since
    bool busy_ = false;
    bool stop_ = false;
    bool failed_ = false; // said once on standard error
    std::thread thread_;
};

} // namespace zt::files
