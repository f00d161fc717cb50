#include "files/RecoveryWriter.h"

#include <iostream>

namespace zt::files {

TRecoveryWriter::TRecoveryWriter(std::string folder) : store_(std::move(folder)), thread_([this] { run(); }) {}

TRecoveryWriter::~TRecoveryWriter()
{
    {
        std::lock_guard lock(mutex_);
        pending_.reset();
        removePending_ = true;
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void TRecoveryWriter::Post(std::vector<std::string> letterLines, std::string currentFile)
{
    {
        std::lock_guard lock(mutex_);
        pending_ = Letter{std::move(letterLines), std::move(currentFile)};
        removePending_ = false;
        settled_ = false;
    }
    wake_.notify_one();
}

void TRecoveryWriter::Remove()
{
    {
        std::lock_guard lock(mutex_);
        pending_.reset();
        removePending_ = true;
        settled_ = false;
    }
    wake_.notify_one();
}

void TRecoveryWriter::TakeOver(std::unique_ptr<TOrphanCopy> copy)
{
    {
        std::lock_guard lock(mutex_);
        takenOver_ = std::move(copy);
    }
    wake_.notify_one();
}

bool TRecoveryWriter::workWaiting() const
{
    return pending_ || removePending_ || (takenOver_ && settled_);
}

void TRecoveryWriter::Flush()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !workWaiting() && !busy_; });
}

void TRecoveryWriter::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || workWaiting(); });
        std::optional<Letter> letter = std::move(pending_);
        pending_.reset();
        const bool remove = removePending_;
        removePending_ = false;
        std::unique_ptr<TOrphanCopy> taken = std::move(takenOver_);
        const bool asked = remove || letter;
        bool done = !asked && settled_;
        busy_ = true;
        lock.unlock();
        if (asked) {
            try {
                if (remove)
                    store_.Remove();
                else
                    store_.Write(letter->lines, letter->currentFile);
                done = true;
            } catch (const std::exception& e) {
                // The program works on without a copy; it says so once.
                if (!failed_)
                    std::cerr << "zettelino: " << e.what() << '\n';
                failed_ = true;
            }
        }
        // The crashed program's copy goes only now that the letter is safe without it.
        if (taken && done) {
            taken->Discard();
            taken.reset();
        }
        lock.lock();
        if (asked)
            settled_ = done;
        if (taken && !takenOver_)
            takenOver_ = std::move(taken);
        busy_ = false;
        idle_.notify_all();
        if (stop_ && !pending_ && !removePending_)
            return;
    }
}

} // namespace zt::files
