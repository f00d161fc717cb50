#include "pages/QRMemoryStream.h"

#include "platform/core/PlatformError.h"

#include <algorithm>
#include <cstring>

namespace zt::pages {

void TQRMemoryStream::reserve(std::size_t size)
{
    const std::size_t blocks = (size + kBlockSize - 1) / kBlockSize;
    while (blocks_.size() < blocks)
        blocks_.emplace_back(new std::uint8_t[kBlockSize]); // not zeroed: every byte is written before use
}

void TQRMemoryStream::zeroFill(std::size_t from, std::size_t to)
{
    while (from < to) {
        const std::size_t in = from % kBlockSize;
        const std::size_t n = std::min(kBlockSize - in, to - from);
        std::memset(blocks_[from / kBlockSize].get() + in, 0, n);
        from += n;
    }
}

std::size_t TQRMemoryStream::Read(void* buffer, std::size_t count)
{
    if (position_ >= size_)
        return 0;
    const std::size_t total = std::min(count, size_ - position_);
    auto* out = static_cast<std::uint8_t*>(buffer);
    for (std::size_t done = 0; done < total;) {
        const std::size_t in = position_ % kBlockSize;
        const std::size_t n = std::min(kBlockSize - in, total - done);
        std::memcpy(out + done, blocks_[position_ / kBlockSize].get() + in, n);
        done += n;
        position_ += n;
    }
    return total;
}

std::size_t TQRMemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0)
        return 0;
    const std::size_t end = position_ + count;
    reserve(end);
    if (position_ > size_)
        zeroFill(size_, position_);
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    for (std::size_t done = 0; done < count;) {
        const std::size_t at = position_ % kBlockSize;
        const std::size_t n = std::min(kBlockSize - at, count - done);
        std::memcpy(blocks_[position_ / kBlockSize].get() + at, in + done, n);
        done += n;
        position_ += n;
    }
    size_ = std::max(size_, end);
    return count;
}

std::int64_t TQRMemoryStream::Seek(std::int64_t offset, platform::SeekOrigin origin)
{
    std::int64_t base = 0;
    if (origin == platform::SeekOrigin::Current)
        base = static_cast<std::int64_t>(position_);
    else if (origin == platform::SeekOrigin::End)
        base = Size();
    const std::int64_t target = base + offset;
    if (target < 0)
        throw platform::PlatformError(platform::ErrorKind::DamagedInput, "Stream seek error");
    position_ = static_cast<std::size_t>(target);
    return target;
}

void TQRMemoryStream::SetSize(std::int64_t size)
{
    const auto n = static_cast<std::size_t>(std::max<std::int64_t>(size, 0));
    if (n > size_) {
        reserve(n);
        zeroFill(size_, n);
    } else {
        blocks_.resize((n + kBlockSize - 1) / kBlockSize);
    }
    size_ = n;
    position_ = std::min(position_, size_);
}

void TQRMemoryStream::LoadFrom(platform::TStream& source, std::int64_t count)
{
    blocks_.clear();
    size_ = position_ = 0;
    const auto n = static_cast<std::size_t>(std::max<std::int64_t>(count, 0));
    reserve(n);
    for (std::size_t done = 0; done < n;) {
        const std::size_t chunk = std::min(kBlockSize, n - done);
        source.ReadBuffer(blocks_[done / kBlockSize].get(), chunk);
        done += chunk;
    }
    size_ = n;
}

} // namespace zt::pages
