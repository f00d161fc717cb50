#include "platform/gdi/Metafile.h"

#include "platform/core/PlatformError.h"
#include "platform/core/WinMath.h"
#include "platform/gdi/EmfBytes.h"

#include <algorithm>
#include <climits>

namespace zt::platform::gdi {

namespace {

[[noreturn]] void invalid()
{
    throw PlatformError(ErrorKind::DamagedInput, "Ungültige Metadatei");
}

EmfRect rectAt(const std::uint8_t* p)
{
    return {readI32(p), readI32(p + 4), readI32(p + 8), readI32(p + 12)};
}

} // namespace

EmfHeaderInfo parseEmfHeader(const std::uint8_t* data, std::size_t size, std::uint64_t available)
{
    if (size < kEmfHeaderMinSize)
        invalid();
    const std::uint32_t type = readU32(data);
    const std::uint32_t recordSize = readU32(data + 4);
    if (type != 1 || recordSize < kEmfHeaderMinSize || recordSize % 4 != 0 || readU32(data + 40) != kEmfSignature)
        invalid();
    EmfHeaderInfo h;
    h.bounds = rectAt(data + 8);
    h.frame = rectAt(data + 24);
    h.bytes = readU32(data + 48);
    h.records = readU32(data + 52);
    h.handles = readU16(data + 56);
    h.deviceCx = readI32(data + 72);
    h.deviceCy = readI32(data + 76);
    h.millimetersCx = readI32(data + 80);
    h.millimetersCy = readI32(data + 84);
    // The exact size in micrometres follows in headers of 108 bytes or more.
    if (recordSize >= 108 && size >= 108) {
        h.micrometersCx = readI32(data + 100);
        h.micrometersCy = readI32(data + 104);
    }
    if (h.bytes < recordSize || h.bytes > available || h.bytes > kEmfMaxBytes || h.records < 1)
        invalid();
    return h;
}

TMetafile TMetafile::FromBytes(std::vector<std::uint8_t> bytes)
{
    TMetafile m;
    m.header_ = parseEmfHeader(bytes.data(), bytes.size(), bytes.size());
    bytes.resize(m.header_.bytes); // anything after the metafile's own end is not part of it
    m.bytes_ = std::move(bytes);
    // The frame is inclusive in 0.01 mm; the picture's size is its extent.
    const auto extent = [](std::int32_t from, std::int32_t to) {
        const std::int64_t d = std::int64_t(to) - from;
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(d, 0, INT32_MAX));
    };
    m.mmWidth_ = extent(m.header_.frame.left, m.header_.frame.right);
    m.mmHeight_ = extent(m.header_.frame.top, m.header_.frame.bottom);
    return m;
}

std::int32_t TMetafile::Width() const
{
    return MulDiv(mmWidth_, kScreenPixelsPerInch, 2540);
}

std::int32_t TMetafile::Height() const
{
    return MulDiv(mmHeight_, kScreenPixelsPerInch, 2540);
}

void TMetafile::LoadFromStream(TStream& stream)
{
    std::uint8_t head[kEmfHeaderMinSize];
    const std::int64_t start = stream.Position();
    const std::int64_t left = stream.Size() - start;
    if (left < static_cast<std::int64_t>(sizeof head))
        invalid();
    stream.ReadBuffer(head, sizeof head);
    const EmfHeaderInfo h = parseEmfHeader(head, sizeof head, static_cast<std::uint64_t>(left));
    std::vector<std::uint8_t> bytes(h.bytes);
    std::copy(head, head + sizeof head, bytes.begin());
    stream.ReadBuffer(bytes.data() + sizeof head, h.bytes - sizeof head);
    *this = FromBytes(std::move(bytes));
}

void TMetafile::SaveToStream(TStream& stream) const
{
    if (!bytes_.empty())
        stream.WriteBuffer(bytes_.data(), bytes_.size());
}

void TMetafile::LoadFromFile(const std::string& path)
{
    TFileStream file(path, TFileStream::Mode::OpenRead);
    LoadFromStream(file);
}

void TMetafile::SaveToFile(const std::string& path) const
{
    TMemoryStream out;
    SaveToStream(out);
    out.SaveToFile(path);
}

} // namespace zt::platform::gdi
