#include "pages/QRPLayout.h"

#include "pages/QRPChain.h"
#include "pages/QRPHeader.h"
#include "platform/core/PlatformError.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zt::pages {

namespace {

// "EMF" lies this far into page 1's record: 8 bytes of record head, then 41
// bytes into the metafile header (after the signature's leading space).
constexpr std::int64_t kSignatureInRecord = 49;
constexpr std::int64_t kLastScanOffset = 1001;
constexpr std::int64_t kFallbackHeaderLength = 128;

struct KnownOffset {
    std::int64_t signatureAt;
    std::int64_t headerLength;
};
constexpr KnownOffset kKnownOffsets[] = {{173, 124}, {169, 120}, {145, 96}, {177, 128}};

bool signatureAt(const std::vector<std::uint8_t>& head, std::int64_t i)
{
    return i >= 0 && static_cast<std::size_t>(i) + 3 <= head.size() && std::memcmp(&head[i], "EMF", 3) == 0;
}

// Page 1 right after a header of this length: number 1, links that agree,
// inside the bytes. Packed pages show no signature, and a damaged page 1
// should not make the rest of the file unreadable.
bool firstPageAt(platform::TStream& stream, std::int64_t headerLength)
{
    TQRPChain chain(stream, headerLength);
    const auto first = chain.First();
    if (!first || first->PageNumber != 1)
        return false;
    const auto back = chain.Previous(TQRPRecord{first->Next, 0, 0});
    return back && back->Offset == first->Offset;
}

// The fixed fields of a header: the two marks and the run of "H".
bool headerMarksAt(const std::vector<std::uint8_t>& head, std::size_t fillerAt)
{
    if (head.size() < fillerAt + 100 || head[0] != 3 || head[1] != 0 || head[2] != 50 || head[3] != 0)
        return false;
    return std::all_of(&head[fillerAt], &head[fillerAt] + 100, [](std::uint8_t b) { return b == 'H'; });
}

std::int64_t findHeaderLength(platform::TStream& stream)
{
    const std::int64_t size = stream.Size();
    std::vector<std::uint8_t> head(static_cast<std::size_t>(std::min<std::int64_t>(size, kLastScanOffset + 3)));
    stream.SetPosition(0);
    stream.ReadBuffer(head.data(), head.size());

    for (const auto& known : kKnownOffsets)
        if (signatureAt(head, known.signatureAt))
            return known.headerLength;
    if (firstPageAt(stream, kQRPHeaderSize))
        return kQRPHeaderSize;
    if (firstPageAt(stream, kQRPAlignedHeaderSize))
        return kQRPAlignedHeaderSize;
    // No readable page 1 (none at all, or a damaged one): the header's own marks.
    if (headerMarksAt(head, 19))
        return kQRPHeaderSize;
    if (headerMarksAt(head, 22))
        return kQRPAlignedHeaderSize;
    // A match closer to the start than the signature's place in a record
    // would put the header before the file; such matches are not headers.
    for (std::int64_t i = kSignatureInRecord; i <= kLastScanOffset; ++i)
        if (signatureAt(head, i))
            return i - kSignatureInRecord;
    return kFallbackHeaderLength;
}

[[noreturn]] void invalidFile(const std::string& why)
{
    throw platform::PlatformError(platform::ErrorKind::DamagedInput, "Ungültige Berichtsdatei: " + why);
}

} // namespace

std::int64_t FindHeaderLength(platform::TStream& stream)
{
    const std::int64_t position = stream.Position();
    const std::int64_t length = findHeaderLength(stream);
    stream.SetPosition(position);
    return length;
}

TQRPLayout ReadLayout(platform::TStream& stream)
{
    TQRPLayout layout;
    layout.HeaderLength = FindHeaderLength(stream);
    if (stream.Size() < layout.HeaderLength)
        invalidFile("kürzer als ihr Kopf");
    std::vector<std::uint8_t> raw(static_cast<std::size_t>(layout.HeaderLength));
    stream.SetPosition(0);
    stream.ReadBuffer(raw.data(), raw.size());

    TQRPChain chain(stream, layout.HeaderLength);
    const bool known = layout.HeaderLength == kQRPHeaderSize || layout.HeaderLength == kQRPAlignedHeaderSize;
    if (known) {
        TQRPHeaderBytes bytes;
        if (layout.HeaderLength == kQRPHeaderSize)
            std::copy(raw.begin(), raw.end(), bytes.begin());
        else
            bytes = UnalignHeader(raw.data());
        const TQRPHeader header = DecodeHeader(bytes);
        layout.Packed = header.Packed;
        layout.StatedPageCount = header.PageCount;
        layout.PageCount = chain.Count(std::max(header.PageCount, 0));
    } else {
        layout.PageCount = chain.Count(INT32_MAX);
        layout.StatedPageCount = layout.PageCount;
        if (layout.PageCount == 0)
            invalidFile("kein Seitenkopf und keine Seite gefunden");
    }
    stream.SetPosition(layout.HeaderLength);
    return layout;
}

} // namespace zt::pages
