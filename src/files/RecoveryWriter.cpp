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
    }
    wake_.notify_one();
}

void TRecoveryWriter::Remove()
{
    {
        std::lock_guard lock(mutex_);
        pending_.reset();
        removePending_ = true;
    }
    wake_.notify_one();
}

void TRecoveryWriter::Flush()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !removePending_ && !busy_; });
}

void TRecoveryWriter::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || pending_ || removePending_; });
        std::optional<Letter> letter = std::move(pending_);
        pending_.reset();
        const bool remove = removePending_;
        removePending_ = false;
        busy_ = true;
        lock.unlock();
        try {
            if (remove)
                store_.Remove();
            else if (letter)
                store_.Write(letter->lines, letter->currentFile);
        } catch (const std::exception& e) {
            // The program works on without a copy; it says so once.
            if (!failed_)
                std::cerr << "zettelino: " << e.what() << '\n';
            failed_ = true;
        }
        lock.lock();
        busy_ = false;
        idle_.notify_all();
        if (stop_ && !pending_ && !removePending_)
            return;
    }
}

} // namespace zt::files
