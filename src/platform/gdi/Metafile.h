#pragma once
// A page as an enhanced metafile (MS-EMF) byte image: what the recording
// canvas produces, what the page store keeps and what the player draws. The
// bytes are the metafile's file image, beginning with its header record.

#include "platform/streams/Stream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zt::platform::gdi {

inline constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"
inline constexpr std::size_t kEmfHeaderMinSize = 88;
// No page of ours comes near this; it bounds what a damaged size field can make us allocate.
inline constexpr std::uint32_t kEmfMaxBytes = 256u * 1024 * 1024;

struct EmfPoint {
    std::int32_t x = 0, y = 0;
    bool operator==(const EmfPoint&) const = default;
};

struct EmfRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const EmfRect&) const = default;
};

// The fields of the header record that callers need.
struct EmfHeaderInfo {
    EmfRect bounds;              // device units, inclusive
    EmfRect frame;               // 0.01 mm, inclusive
    std::uint32_t bytes = 0;     // size of the whole metafile
    std::uint32_t records = 0;
    std::uint16_t handles = 0;
    std::int32_t deviceCx = 0, deviceCy = 0;      // reference device in pixels
    std::int32_t millimetersCx = 0, millimetersCy = 0;
    std::int32_t micrometersCx = 0, micrometersCy = 0;   // 0 when the header has none
};

class TMetafile {
public:
    TMetafile() = default;

    // Takes a metafile image; throws PlatformError ("Invalid metafile") when
    // the header record is not a valid enhanced-metafile header or its size
    // fields do not fit the bytes.
    static TMetafile FromBytes(std::vector<std::uint8_t> bytes);

    bool Empty() const { return bytes_.empty(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    const EmfHeaderInfo& Header() const { return header_; }

    // Size of the picture: 0.01 mm, and pixels at the screen's 96 pixels per inch.
    std::int32_t MMWidth() const { return mmWidth_; }
    std::int32_t MMHeight() const { return mmHeight_; }
    std::int32_t Width() const;
    std::int32_t Height() const;

    // Reads exactly one metafile from the stream's position (its header says
    // how long it is) and leaves the position after it.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

private:
    std::vector<std::uint8_t> bytes_;
    EmfHeaderInfo header_;
    std::int32_t mmWidth_ = 0;
    std::int32_t mmHeight_ = 0;
};

// Parses and checks a header record at the start of `data`. Throws
// PlatformError ("Invalid metafile") on failure. `available` is how many bytes
// the whole metafile may have at most.
EmfHeaderInfo parseEmfHeader(const std::uint8_t* data, std::size_t size, std::uint64_t available);

inline constexpr int kScreenPixelsPerInch = 96;

} // namespace zt::platform::gdi
