#pragma once
// The page store's bytes while they are in memory: fixed-size blocks instead
// of one growing buffer, so appending a page never copies the pages before it
// and freed stores hand their blocks to the next one.

#include "platform/streams/Stream.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zt::pages {

class TQRMemoryStream : public platform::TStream {
public:
    static constexpr std::size_t kBlockSize = 64 * 1024;

    std::size_t Read(void* buffer, std::size_t count) override;
    // Writing past the end fills the gap with zeros.
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, platform::SeekOrigin origin) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(size_); }

    void SetSize(std::int64_t size);

    // Fills the stream with `count` bytes from `source`'s position; position 0.
    void LoadFrom(platform::TStream& source, std::int64_t count);

    // Calls `sink(data, size)` for the bytes in order.
    template <typename Sink>
    void ForEachBlock(Sink&& sink) const
    {
        std::size_t left = size_;
        for (std::size_t b = 0; left > 0; ++b) {
            const std::size_t n = left < kBlockSize ? left : kBlockSize;
            sink(blocks_[b].get(), n);
            left -= n;
        }
    }

private:
    void reserve(std::size_t size);
    void zeroFill(std::size_t from, std::size_t to);

    std::vector<std::unique_ptr<std::uint8_t[]>> blocks_;
    std::size_t size_ = 0;
    std::size_t position_ = 0;
};

} // namespace zt::pages
