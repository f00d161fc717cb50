#pragma once
// Writes the recovery copy on a thread of its own, so a keystroke never
// waits for the disk: the window hands over the letter's lines and goes on;
// only the latest letter handed over is written, and a removal supersedes a
// write still waiting.

#include "files/RecoveryStore.h"

#include <condition_variable>
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
    // Waits until everything asked has been done (tests, benchmarks).
    void Flush();

    TRecoveryStore& Store() { return store_; }

private:
    void run();

    TRecoveryStore store_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    struct Letter {
        std::vector<std::string> lines;
        std::string currentFile;
    };
    std::optional<Letter> pending_;
    bool removePending_ = false;
    bool busy_ = false;
    bool stop_ = false;
    bool failed_ = false; // said once on standard error
    std::thread thread_;
};

} // namespace zt::files
