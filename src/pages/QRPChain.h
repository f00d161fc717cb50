#pragma once
// The chain of page records in a saved report file: page number, forward
// link, payload, back link. Every step is checked against the stream's size
// and must move strictly away from where it came from, so a damaged or hostile
// file can neither send a walk outside the bytes nor round in a circle.

#include "platform/streams/Stream.h"

#include <cstdint>
#include <optional>

namespace zt::pages {

inline constexpr std::int64_t kQRPRecordOverhead = 12; // page number, forward link, back link

struct TQRPRecord {
    std::int64_t Offset = 0;   // first byte of the record
    std::int32_t PageNumber = 0;
    std::int64_t Next = 0;     // just after the record's back link

    std::int64_t PayloadOffset() const { return Offset + 8; }
    std::int64_t PayloadSize() const { return Next - kQRPRecordOverhead - Offset; }
};

class TQRPChain {
public:
    // The caller holds the stream's lock for the chain's lifetime.
    TQRPChain(platform::TStream& stream, std::int64_t headerLength);

    std::int64_t Size() const { return size_; }

    // The record at `offset`, when its head and its forward link fit the bytes.
    std::optional<TQRPRecord> RecordAt(std::int64_t offset);
    std::optional<TQRPRecord> First() { return RecordAt(headerLength_); }
    // Found through the back link in the stream's last 4 bytes.
    std::optional<TQRPRecord> Last();
    std::optional<TQRPRecord> Following(const TQRPRecord& record);
    // Through the back link just before `record`; that record's forward link
    // must lead back to `record`.
    std::optional<TQRPRecord> Previous(const TQRPRecord& record);

    // From `from` towards page `pageNumber` in the one direction that can reach
    // it; none when the chain breaks or skips the number.
    std::optional<TQRPRecord> Find(std::int32_t pageNumber, TQRPRecord from);

    // Records reachable from the first one, counted up to `limit`.
    std::int32_t Count(std::int32_t limit);

private:
    std::int32_t int32At(std::int64_t offset);
    std::optional<TQRPRecord> recordBefore(std::int64_t end);

    platform::TStream& stream_;
    std::int64_t headerLength_;
    std::int64_t size_;
};

} // namespace zt::pages
