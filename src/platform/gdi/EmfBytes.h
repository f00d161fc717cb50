#pragma once
// Little-endian field access for metafile records. Callers check bounds
// before they read; these only assemble bytes.

#include <cstdint>
#include <cstring>
#include <vector>

namespace zt::platform::gdi {

inline std::uint16_t readU16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t readU32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
inline std::int32_t readI32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(readU32(p));
}
inline float readF32(const std::uint8_t* p)
{
    const std::uint32_t u = readU32(p);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

// Each field is appended in one piece: pages are written field by field, and
// both a capacity check per byte and zero-filling a resize first showed in
// the time of every recorded text.
inline void putU16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
    out.insert(out.end(), b, b + 2);
}
inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                               static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    out.insert(out.end(), b, b + 4);
}
inline void putI32(std::vector<std::uint8_t>& out, std::int32_t v)
{
    putU32(out, static_cast<std::uint32_t>(v));
}
inline void putF32(std::vector<std::uint8_t>& out, float f)
{
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    putU32(out, u);
}
inline void patchU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace zt::platform::gdi
