#include "pages/QRPChain.h"

namespace zt::pages {

TQRPChain::TQRPChain(platform::TStream& stream, std::int64_t headerLength)
    : stream_(stream), headerLength_(headerLength), size_(stream.Size())
{
}

std::int32_t TQRPChain::int32At(std::int64_t offset)
{
    stream_.SetPosition(offset);
    return stream_.ReadInt32();
}

std::optional<TQRPRecord> TQRPChain::RecordAt(std::int64_t offset)
{
    if (offset < headerLength_ || offset + kQRPRecordOverhead > size_)
        return std::nullopt;
    TQRPRecord r;
    r.Offset = offset;
    r.PageNumber = int32At(offset);
    r.Next = stream_.ReadInt32();
    if (r.Next < offset + kQRPRecordOverhead || r.Next > size_)
        return std::nullopt;
    return r;
}

std::optional<TQRPRecord> TQRPChain::recordBefore(std::int64_t end)
{
    if (end - kQRPRecordOverhead < headerLength_)
        return std::nullopt;
    const std::int64_t start = int32At(end - 4);
    if (start > end - kQRPRecordOverhead)
        return std::nullopt;
    auto r = RecordAt(start);
    if (!r || r->Next != end)
        return std::nullopt;
    return r;
}

std::optional<TQRPRecord> TQRPChain::Last()
{
    return recordBefore(size_);
}

std::optional<TQRPRecord> TQRPChain::Following(const TQRPRecord& record)
{
    return RecordAt(record.Next);
}

std::optional<TQRPRecord> TQRPChain::Previous(const TQRPRecord& record)
{
    return recordBefore(record.Offset);
}

std::optional<TQRPRecord> TQRPChain::Find(std::int32_t pageNumber, TQRPRecord from)
{
    const bool forward = from.PageNumber < pageNumber;
    std::optional<TQRPRecord> r = from;
    // Offsets move strictly in one direction by at least a record's overhead,
    // so this bound is never the one that ends a walk; it is a second guard.
    for (std::int64_t steps = size_ / kQRPRecordOverhead + 1; steps > 0; --steps) {
        if (r->PageNumber == pageNumber)
            return r;
        if (forward ? r->PageNumber > pageNumber : r->PageNumber < pageNumber)
            return std::nullopt;
        r = forward ? Following(*r) : Previous(*r);
        if (!r)
            return std::nullopt;
    }
    return std::nullopt;
}

std::int32_t TQRPChain::Count(std::int32_t limit)
{
    std::int32_t n = 0;
    for (auto r = First(); r && n < limit; r = Following(*r))
        ++n;
    return n;
}

} // namespace zt::pages
