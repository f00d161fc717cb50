#pragma once
// Adaptive splay-tree prefix coder for page payloads. Every coder starts from
// the same initial tree, so each packed page can be decoded on its own. The bit
// layout must match saved report files written elsewhere exactly.

#include "platform/streams/Stream.h"

#include <cstddef>
#include <cstdint>

namespace zt::pages {

class TQRCompress {
public:
    // `CompressData` true: packs into `aStream`; false: unpacks from it.
    TQRCompress(platform::TStream& aStream, bool CompressData);
    // A packing coder writes what is still pending; errors are swallowed here,
    // so callers that must see them call Finish first.
    ~TQRCompress();
    TQRCompress(const TQRCompress&) = delete;
    TQRCompress& operator=(const TQRCompress&) = delete;

    void Compress(std::uint8_t Plain);
    // Throws PlatformError when the packed bits end early or are not a valid code.
    void Expand(std::uint8_t& Expanded);

    // The same, for many bytes at once (the page store's loops).
    void CompressBuffer(const std::uint8_t* data, std::size_t count);
    void ExpandBuffer(std::uint8_t* out, std::size_t count);

    // Packing: writes buffered bytes and the last, partly filled byte.
    // Unpacking: hands read-ahead bytes back, so the stream's position is just
    // after the last byte a bit was taken from.
    void Finish();

private:
    static constexpr std::size_t kBufferSize = 8192;

    void flushOut();
    void refillIn();
    void splay(unsigned leaf);
    void emitLongCode(unsigned leaf, std::uint64_t& acc, unsigned& bits);
    void putWord(std::uint32_t word);

    std::uint8_t BitPos = 0;
    bool CompressFlag;
    std::uint16_t InByte = 0;
    // Left and Right children side by side, so a bit picks its child by index.
    std::uint16_t Child[2][256];
    std::uint16_t (&Left)[256] = Child[0];
    std::uint16_t (&Right)[256] = Child[1];
    std::uint16_t OutByte = 0;
    platform::TStream& Stream;
    std::uint8_t Up[513];

    // Bytes go to and come from the stream in blocks, not one call per byte.
    std::uint8_t FBuffer[kBufferSize];
    std::size_t FBufferPos = 0;
    std::size_t FBufferEnd = 0;
    bool FFinished = false;
};

} // namespace zt::pages
