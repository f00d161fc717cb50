#pragma once
// The header of a saved report file: written in the 120-byte layout, read in
// the 120-byte layout and in the same fields aligned to 4 bytes (124 bytes).
// Finding out which layout a file has is QRPLayout.h's job.

#include <array>
#include <cstdint>
#include <optional>

namespace zt::pages {

inline constexpr std::int64_t kQRPHeaderSize = 120;
inline constexpr std::int64_t kQRPAlignedHeaderSize = 124;

// Offsets of the 120-byte layout.
inline constexpr std::size_t kQRPPageCountAt = 5;
inline constexpr std::size_t kQRPDateAt = 9;
inline constexpr std::size_t kQRPPackedAt = 18;
// ... and of the 124-byte layout.
inline constexpr std::size_t kQRPAlignedPageCountAt = 8;
inline constexpr std::size_t kQRPAlignedPackedAt = 21;

struct TQRPHeader {
    std::int32_t PageCount = 0;
    double Date = 0;  // local time, days since 30 December 1899
    bool Packed = false;
};

using TQRPHeaderBytes = std::array<std::uint8_t, kQRPHeaderSize>;

TQRPHeaderBytes EncodeHeader(const TQRPHeader& header);

// The 124-byte layout moved into the 120-byte one.
TQRPHeaderBytes UnalignHeader(const std::uint8_t* aligned);

TQRPHeader DecodeHeader(const TQRPHeaderBytes& bytes);

// Now, as local date and time in days since 30 December 1899.
double LocalDateTimeNow();

} // namespace zt::pages
