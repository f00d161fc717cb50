#include "pages/QRPayload.h"

#include "pages/QRCompress.h"
#include "platform/core/PlatformError.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace zt::pages {

using platform::ErrorKind;
using platform::PlatformError;

namespace {

// Reads from caller-owned bytes without copying them into a stream first.
class TByteView : public platform::TStream {
public:
    TByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t Read(void* buffer, std::size_t count) override
    {
        const std::size_t n = position_ < size_ ? std::min(count, size_ - position_) : 0;
        if (n > 0)
            std::memcpy(buffer, data_ + position_, n);
        position_ += n;
        return n;
    }
    std::size_t Write(const void*, std::size_t) override { return 0; }
    std::int64_t Seek(std::int64_t offset, platform::SeekOrigin origin) override
    {
        const std::int64_t base = origin == platform::SeekOrigin::Beginning ? 0
                                  : origin == platform::SeekOrigin::Current ? std::int64_t(position_)
                                                                            : std::int64_t(size_);
        if (base + offset < 0)
            throw PlatformError(ErrorKind::DamagedInput, "Ungültige Position in den Daten");
        position_ = static_cast<std::size_t>(base + offset);
        return base + offset;
    }
    std::int64_t Size() const override { return static_cast<std::int64_t>(size_); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

} // namespace

void WritePayload(platform::TStream& out, const platform::gdi::TMetafile& page, bool packed)
{
    const auto& bytes = page.Bytes();
    if (!packed) {
        page.SaveToStream(out);
        return;
    }
    out.WriteInt32(static_cast<std::int32_t>(bytes.size()));
    TQRCompress coder(out, true);
    coder.CompressBuffer(bytes.data(), bytes.size());
    coder.Finish();
}

std::vector<std::uint8_t> PackBytes(const std::uint8_t* data, std::size_t size)
{
    platform::TMemoryStream out;
    {
        TQRCompress coder(out, true);
        coder.CompressBuffer(data, size);
        coder.Finish();
    }
    return out.TakeBytes();
}

std::vector<std::uint8_t> UnpackBytes(const std::uint8_t* data, std::size_t size, std::uint64_t count)
{
    if (count > std::uint64_t(size) * 8)
        throw PlatformError(ErrorKind::DamagedInput, "Ungültige gepackte Daten: " + std::to_string(count) +
                                                         " Bytes können nicht aus " + std::to_string(size) + " Bytes entstehen");
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
    TByteView in(data, size);
    TQRCompress coder(in, false);
    coder.ExpandBuffer(out.data(), out.size());
    return out;
}

platform::gdi::TMetafile ReadPayload(std::vector<std::uint8_t> payload, bool packed)
{
    if (!packed)
        return platform::gdi::TMetafile::FromBytes(std::move(payload));
    if (payload.size() < 4)
        throw PlatformError(ErrorKind::DamagedInput, "Ungültige gepackte Seite: keine Byteanzahl");
    const std::int32_t count = static_cast<std::int32_t>(std::uint32_t(payload[0]) | std::uint32_t(payload[1]) << 8 |
                                                         std::uint32_t(payload[2]) << 16 |
                                                         std::uint32_t(payload[3]) << 24);
    if (count < 0 || static_cast<std::uint32_t>(count) > platform::gdi::kEmfMaxBytes)
        throw PlatformError(ErrorKind::DamagedInput, "Ungültige gepackte Seite: Byteanzahl " + std::to_string(count));
    return platform::gdi::TMetafile::FromBytes(UnpackBytes(payload.data() + 4, payload.size() - 4,
                                                           static_cast<std::uint64_t>(count)));
}

} // namespace zt::pages
