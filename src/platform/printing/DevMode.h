#pragma once
// The printer driver's device-mode record: the fields the engine reads and
// writes, with the flags by which a driver announces which of them it honours.
// Field names and codes are the system's; values are kept as 32-bit integers
// so that a large request never wraps on its way to the driver.

#include <cstdint>
#include <string>

namespace zt::platform::printing {

// dmFields flags.
inline constexpr std::uint32_t DM_ORIENTATION = 0x00000001;
inline constexpr std::uint32_t DM_PAPERSIZE = 0x00000002;
inline constexpr std::uint32_t DM_PAPERLENGTH = 0x00000004;
inline constexpr std::uint32_t DM_PAPERWIDTH = 0x00000008;
inline constexpr std::uint32_t DM_COPIES = 0x00000100;
inline constexpr std::uint32_t DM_DEFAULTSOURCE = 0x00000200;
inline constexpr std::uint32_t DM_PRINTQUALITY = 0x00000400;
inline constexpr std::uint32_t DM_COLOR = 0x00000800;
inline constexpr std::uint32_t DM_DUPLEX = 0x00001000;
inline constexpr std::uint32_t DM_COLLATE = 0x00008000;

inline constexpr std::int32_t DMORIENT_PORTRAIT = 1;
inline constexpr std::int32_t DMORIENT_LANDSCAPE = 2;

inline constexpr std::int32_t DMPAPER_LETTER = 1;
inline constexpr std::int32_t DMPAPER_A4 = 9;
inline constexpr std::int32_t DMPAPER_USER = 256;

// Paper sources (dmDefaultSource); codes from DMBIN_USER on are the driver's own.
inline constexpr std::int32_t DMBIN_UPPER = 1;
inline constexpr std::int32_t DMBIN_LOWER = 2;
inline constexpr std::int32_t DMBIN_MIDDLE = 3;
inline constexpr std::int32_t DMBIN_MANUAL = 4;
inline constexpr std::int32_t DMBIN_ENVELOPE = 5;
inline constexpr std::int32_t DMBIN_ENVMANUAL = 6;
inline constexpr std::int32_t DMBIN_AUTO = 7;
inline constexpr std::int32_t DMBIN_TRACTOR = 8;
inline constexpr std::int32_t DMBIN_SMALLFMT = 9;
inline constexpr std::int32_t DMBIN_LARGEFMT = 10;
inline constexpr std::int32_t DMBIN_LARGECAPACITY = 11;
inline constexpr std::int32_t DMBIN_CASSETTE = 14;
inline constexpr std::int32_t DMBIN_FORMSOURCE = 15;
inline constexpr std::int32_t DMBIN_USER = 256;

inline constexpr std::int32_t DMCOLOR_MONOCHROME = 1;
inline constexpr std::int32_t DMCOLOR_COLOR = 2;

inline constexpr std::int32_t DMDUP_SIMPLEX = 1;
inline constexpr std::int32_t DMDUP_VERTICAL = 2;
inline constexpr std::int32_t DMDUP_HORIZONTAL = 3;

inline constexpr std::int32_t DMCOLLATE_FALSE = 0;
inline constexpr std::int32_t DMCOLLATE_TRUE = 1;

struct DevMode {
    std::string dmDeviceName;
    std::uint32_t dmFields = 0;
    std::int32_t dmOrientation = DMORIENT_PORTRAIT;
    std::int32_t dmPaperSize = 0;
    std::int32_t dmPaperLength = 0;   // 0.1 mm
    std::int32_t dmPaperWidth = 0;    // 0.1 mm
    std::int32_t dmCopies = 1;
    std::int32_t dmDefaultSource = 0;
    std::int32_t dmPrintQuality = 0;  // dots per inch when positive
    std::int32_t dmColor = 0;
    std::int32_t dmDuplex = 0;
    std::int32_t dmCollate = 0;

    bool Has(std::uint32_t flag) const { return (dmFields & flag) != 0; }
    bool operator==(const DevMode&) const = default;
};

} // namespace zt::platform::printing
