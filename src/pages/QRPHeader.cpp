#include "pages/QRPHeader.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>

namespace zt::pages {

namespace {

constexpr std::uint16_t kMark1 = 3;
constexpr std::uint16_t kMark2 = 50;
constexpr std::size_t kFillerAt = 19;
constexpr std::size_t kFillerSize = 100;
// From 30 December 1899 to 1 January 1970.
constexpr double kUnixEpochDays = 25569.0;

void putU16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void putU32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t getU32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

} // namespace

TQRPHeaderBytes EncodeHeader(const TQRPHeader& header)
{
    TQRPHeaderBytes b{};
    putU16(&b[0], kMark1);
    putU16(&b[2], kMark2);
    putU32(&b[kQRPPageCountAt], static_cast<std::uint32_t>(header.PageCount));
    std::uint64_t date;
    static_assert(sizeof date == sizeof header.Date);
    std::memcpy(&date, &header.Date, sizeof date);
    putU32(&b[kQRPDateAt], static_cast<std::uint32_t>(date));
    putU32(&b[kQRPDateAt + 4], static_cast<std::uint32_t>(date >> 32));
    b[kQRPPackedAt] = header.Packed ? 1 : 0;
    std::fill_n(&b[kFillerAt], kFillerSize, std::uint8_t('H'));
    return b;
}

TQRPHeaderBytes UnalignHeader(const std::uint8_t* a)
{
    TQRPHeaderBytes b{};
    std::copy_n(a, 5, &b[0]);                                   // marks and reserved byte
    std::copy_n(a + kQRPAlignedPageCountAt, 4, &b[kQRPPageCountAt]);
    std::copy_n(a + 12, 8, &b[kQRPDateAt]);
    b[17] = a[20];
    b[kQRPPackedAt] = a[kQRPAlignedPackedAt];
    std::copy_n(a + 22, 101, &b[kFillerAt]);                   // filler and the last reserved byte
    return b;
}

TQRPHeader DecodeHeader(const TQRPHeaderBytes& b)
{
    TQRPHeader h;
    h.PageCount = static_cast<std::int32_t>(getU32(&b[kQRPPageCountAt]));
    const std::uint64_t date = std::uint64_t(getU32(&b[kQRPDateAt])) | std::uint64_t(getU32(&b[kQRPDateAt + 4])) << 32;
    std::memcpy(&h.Date, &date, sizeof date);
    h.Packed = b[kQRPPackedAt] == 1;
    return h;
}

double LocalDateTimeNow()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    const double fraction =
        std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(seconds)).count();
    const double localSeconds = double(seconds) + double(local.tm_gmtoff) + fraction;
    return kUnixEpochDays + localSeconds / 86400.0;
}

} // namespace zt::pages
