#include "platform/streams/Stream.h"

#include "platform/core/PlatformError.h"
#include "platform/files/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zt::platform {

void TStream::ReadBuffer(void* buffer, std::size_t count)
{
    if (Read(buffer, count) != count)
        throw PlatformError(ErrorKind::DamagedInput, "Die Daten enden vor der erwarteten Stelle");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count)
{
    if (Write(buffer, count) != count)
        throw PlatformError(ErrorKind::SystemFailure, "Die Daten können nicht geschrieben werden");
}

std::int32_t TStream::ReadInt32()
{
    std::uint8_t b[4];
    ReadBuffer(b, 4);
    return static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                                     std::uint32_t(b[3]) << 24);
}

void TStream::WriteInt32(std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    WriteBuffer(b, 4);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::int64_t>(count, 65536)));
    std::int64_t left = count;
    while (left > 0) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(buffer.size())));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= static_cast<std::int64_t>(n);
    }
    return count;
}

// --- memory ---------------------------------------------------------------

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    if (position_ >= bytes_.size())
        return 0;
    const std::size_t n = std::min(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0)
        return 0;
    if (position_ + count > bytes_.size())
        bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    std::int64_t base = 0;
    if (origin == SeekOrigin::Current)
        base = static_cast<std::int64_t>(position_);
    else if (origin == SeekOrigin::End)
        base = Size();
    const std::int64_t target = base + offset;
    if (target < 0)
        throw PlatformError(ErrorKind::DamagedInput, "Ungültige Position in den Daten");
    // Past the end is allowed, as for files: a later write fills the gap with zeros.
    position_ = static_cast<std::size_t>(target);
    return target;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    bytes_.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    position_ = std::min(position_, bytes_.size());
}

void TMemoryStream::Clear()
{
    bytes_.clear();
    position_ = 0;
}

std::vector<std::uint8_t> TMemoryStream::TakeBytes()
{
    position_ = 0;
    return std::exchange(bytes_, {});
}

void TMemoryStream::LoadFromFile(const std::string& path)
{
    const std::string data = files::readFileBytes(path);
    bytes_.assign(data.begin(), data.end());
    position_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const
{
    files::writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes_.data()), bytes_.size()));
}

// --- file -----------------------------------------------------------------

TFileStream::TFileStream(const std::string& path, Mode mode) : path_(path)
{
    const int flags = mode == Mode::OpenRead ? O_RDONLY : (O_RDWR | O_CREAT | O_TRUNC);
    fd_ = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (fd_ < 0)
        throwSystemError(mode == Mode::OpenRead ? cannotOpen(path) : cannotCreate(path), errno);
}

TFileStream::~TFileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count)
{
    return files::readUpTo(fd_, buffer, count, path_);
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count)
{
    files::writeAll(fd_, std::string_view(static_cast<const char*>(buffer), count), path_);
    return count;
}

std::int64_t TFileStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    const int whence = origin == SeekOrigin::Beginning ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    const off_t r = ::lseek(fd_, static_cast<off_t>(offset), whence);
    if (r < 0)
        throw PlatformError(errno == EINVAL ? ErrorKind::DamagedInput : ErrorKind::SystemFailure, "Ungültige Position in den Daten");
    return static_cast<std::int64_t>(r);
}

std::int64_t TFileStream::Size() const
{
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        throwSystemError(cannotRead(path_), errno);
    return static_cast<std::int64_t>(st.st_size);
}

} // namespace zt::platform
