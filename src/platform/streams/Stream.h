#pragma once
// Byte streams in the manner of the system's stream classes: read and write at
// a position, seek from the beginning, the current position or the end. The
// page store, the metafile page object and the saved report file work on them.

#include <cstdint>
#include <string>
#include <vector>

namespace zt::platform {

enum class SeekOrigin { Beginning, Current, End };

class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to `count` bytes; fewer only at the end of the stream.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // The new position; seeking before the start throws PlatformError.
    virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;
    virtual std::int64_t Size() const = 0;

    std::int64_t Position() { return Seek(0, SeekOrigin::Current); }
    void SetPosition(std::int64_t position) { Seek(position, SeekOrigin::Beginning); }

    // Exactly `count` bytes or PlatformError ("Stream read error" /
    // "Stream write error"), as the system's stream classes raise.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);

    std::int32_t ReadInt32();
    void WriteInt32(std::int32_t value);

    // Copies `count` bytes from `source`'s position (all of it from 0 when count is 0).
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }

    void SetSize(std::int64_t size);
    void Clear();
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> TakeBytes();
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// A file opened for reading, or created (truncated) for reading and writing.
class TFileStream : public TStream {
public:
    enum class Mode { OpenRead, Create };
    TFileStream(const std::string& path, Mode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() const override;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
};

} // namespace zt::platform
