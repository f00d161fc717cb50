#pragma once
// Builds enhanced-metafile images record by record, for pages with records
// our recorder never writes (map modes, world transforms, regions) and for
// damaged pages.

#include "platform/gdi/EmfBytes.h"
#include "platform/gdi/EmfRecords.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace zt::testing {

class RawEmf {
public:
    // A page of `w` x `h` pixels on a 96 pixels-per-inch reference device.
    RawEmf(std::int32_t w = 100, std::int32_t h = 100)
    {
        using namespace platform::gdi;
        putU32(bytes_, EMR_HEADER);
        putU32(bytes_, kHeaderRecordSize);
        for (std::int32_t v : {0, 0, w - 1, h - 1})
            putI32(bytes_, v);
        for (std::int32_t v : {0, 0, (w * 2540 + 48) / 96, (h * 2540 + 48) / 96})
            putI32(bytes_, v);
        putU32(bytes_, kEmfSignature);
        putU32(bytes_, 0x10000);
        putU32(bytes_, 0);       // bytes
        putU32(bytes_, 0);       // records
        putU16(bytes_, 8);       // handles
        putU16(bytes_, 0);
        for (int i = 0; i < 3; ++i)
            putU32(bytes_, 0);
        for (std::int32_t v : {1920, 1440, 508, 381})
            putI32(bytes_, v);
        for (int i = 0; i < 3; ++i)
            putU32(bytes_, 0);
        putI32(bytes_, 508000);
        putI32(bytes_, 381000);
        records_ = 1;
    }

    // A record of `type` whose body (after type and size) is the given 32-bit words.
    RawEmf& add(std::uint32_t type, std::initializer_list<std::int64_t> words)
    {
        std::vector<std::uint8_t> body;
        for (auto w : words)
            platform::gdi::putU32(body, static_cast<std::uint32_t>(w));
        return addBody(type, body);
    }
    RawEmf& addBody(std::uint32_t type, const std::vector<std::uint8_t>& body)
    {
        platform::gdi::putU32(bytes_, type);
        platform::gdi::putU32(bytes_, static_cast<std::uint32_t>(8 + body.size()));
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        ++records_;
        return *this;
    }
    RawEmf& addFloats(std::uint32_t type, std::initializer_list<float> values, std::initializer_list<std::int64_t> after = {})
    {
        std::vector<std::uint8_t> body;
        for (float f : values)
            platform::gdi::putF32(body, f);
        for (auto w : after)
            platform::gdi::putU32(body, static_cast<std::uint32_t>(w));
        return addBody(type, body);
    }

    // EMR_EXTTEXTOUTW at (x, y) with an explicit spacing array.
    RawEmf& text(std::int32_t x, std::int32_t y, const std::u16string& s, const std::vector<std::int32_t>& dx,
                 std::uint32_t options = 0)
    {
        using namespace platform::gdi;
        std::vector<std::uint8_t> b;
        for (int i = 0; i < 4; ++i)
            putI32(b, 0);                     // bounds
        putU32(b, GM_COMPATIBLE);
        putF32(b, 26.46f);
        putF32(b, 26.46f);
        putI32(b, x);
        putI32(b, y);
        putU32(b, static_cast<std::uint32_t>(s.size()));
        const std::uint32_t offString = kExtTextOutFixedSize;
        const std::uint32_t strBytes = static_cast<std::uint32_t>((s.size() * 2 + 3) / 4 * 4);
        putU32(b, offString);
        putU32(b, options);
        for (int v : {0, 0, -1, -1})
            putI32(b, v);
        putU32(b, dx.empty() ? 0 : offString + strBytes);
        for (char16_t c : s)
            putU16(b, c);
        while (b.size() % 4)
            b.push_back(0);
        for (auto d : dx)
            putI32(b, d);
        return addBody(EMR_EXTTEXTOUTW, b);
    }

    // A font record for `face` at `height`.
    RawEmf& font(std::uint32_t handle, const std::string& face, std::int32_t height)
    {
        using namespace platform::gdi;
        std::vector<std::uint8_t> b;
        putU32(b, handle);
        putI32(b, height);
        for (int i = 0; i < 3; ++i)
            putI32(b, 0);
        putI32(b, 400);
        for (int i = 0; i < 8; ++i)
            b.push_back(0);
        for (std::size_t i = 0; i < 32; ++i)
            putU16(b, i < face.size() ? static_cast<char16_t>(face[i]) : 0);
        b.resize(kFontRecordSize - 8, 0);
        return addBody(EMR_EXTCREATEFONTINDIRECTW, b);
    }

    std::vector<std::uint8_t> finish()
    {
        add(platform::gdi::EMR_EOF, {0, 16, 20});
        std::vector<std::uint8_t> out = bytes_;
        platform::gdi::patchU32(out, 48, static_cast<std::uint32_t>(out.size()));
        platform::gdi::patchU32(out, 52, records_);
        return out;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t records_ = 0;
};

} // namespace zt::testing
