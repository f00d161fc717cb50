#pragma once
// The page store's byte stream: in memory until it grows past its memory
// limit, then in a private temporary file ("QRP" prefix) that is removed when
// the stream goes away. Every operation holds the stream's lock, so a page
// reader and a page writer on different threads never see a half-moved stream.

#include "pages/QRMemoryStream.h"
#include "platform/files/TempFile.h"
#include "platform/streams/Stream.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace zt::pages {

class TQRStream : public platform::TStream {
public:
    explicit TQRStream(std::int32_t pMemoryLimit);
    ~TQRStream() override;
    TQRStream(const TQRStream&) = delete;
    TQRStream& operator=(const TQRStream&) = delete;

    static std::unique_ptr<TQRStream> Create(std::int32_t pMemoryLimit);
    // The whole file in memory, with a limit that keeps it there; position 0.
    // Throws PlatformError when the file cannot be read or is too large for
    // the store's 32-bit offsets.
    static std::unique_ptr<TQRStream> CreateFromFile(const std::string& Filename);

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, platform::SeekOrigin origin) override;
    std::int64_t Size() const override;

    // Cuts the stream to `size` bytes (the page list's Clear and its undo of a
    // page that failed half-way); the position is kept unless beyond the end.
    void SetSize(std::int64_t size);

    // All bytes from offset 0, in blocks of 10,240 bytes.
    void SaveToStream(platform::TStream& AStream);

    void LockStream() { FLock.lock(); }
    void UnlockStream() { FLock.unlock(); }

    bool InMemory() const;
    std::int32_t MemoryLimit() const { return FMemoryLimit; }
    // Path of the temporary file; empty while in memory.
    std::string Filename() const;

private:
    void moveToFile();

    mutable std::recursive_mutex FLock;
    std::unique_ptr<TQRMemoryStream> MemoryStream;
    std::string FFilename;
    std::unique_ptr<platform::files::TempFile> FileStream;
    bool FInMemory = true;
    std::int32_t FMemoryLimit;
    // The file's position and size are kept here: positioned I/O needs no
    // seek calls and the size no system call.
    std::int64_t FFilePosition = 0;
    std::int64_t FFileSize = 0;
};

// Holds a stream's lock for a scope (several reads that belong together).
class TQRStreamLock {
public:
    explicit TQRStreamLock(TQRStream& s) : stream_(s) { stream_.LockStream(); }
    ~TQRStreamLock() { stream_.UnlockStream(); }
    TQRStreamLock(const TQRStreamLock&) = delete;
    TQRStreamLock& operator=(const TQRStreamLock&) = delete;

private:
    TQRStream& stream_;
};

} // namespace zt::pages
